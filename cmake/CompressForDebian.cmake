# Run by CPack on the staged package tree before it is archived: Debian's
# policy has manual pages and the changelog compressed with gzip -9, without
# a time stamp (-n) so the package is the same on every build. A plain
# `cmake --install` leaves them uncompressed.
file(GLOB_RECURSE documents
  ${CPACK_TEMPORARY_DIRECTORY}/*/share/man/man6/*.6
  ${CPACK_TEMPORARY_DIRECTORY}/*/share/doc/brellow/changelog)
foreach(document ${documents})
  execute_process(COMMAND gzip -9nf ${document} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip could not compress ${document}")
  endif()
endforeach()
