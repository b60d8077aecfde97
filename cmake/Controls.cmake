# The game's controls are written once, in dist/controls.tsv (input, a tab,
# action; the quit key's action reads @QUIT@, since it differs between the
# two programs). From it come the launchers' --help lines, the manual pages'
# CONTROLS section and the README's table.

# Sets <prefix>_HELP, <prefix>_MAN and <prefix>_MARKDOWN for a program whose
# quit key does quitAction.
function(brellow_controls prefix quitAction)
  file(STRINGS ${PROJECT_SOURCE_DIR}/dist/controls.tsv lines)
  set(help "")
  set(man "")
  set(markdown "| input | action |\n|---|---|\n")
  foreach(line IN LISTS lines)
    string(REPLACE "@QUIT@" "${quitAction}" line "${line}")
    string(REGEX REPLACE "\t.*" "" input "${line}")
    string(REGEX REPLACE "^[^\t]*\t" "" action "${line}")
    # Actions line up in one column; a long input puts its action below it.
    string(LENGTH "${input}" length)
    if(length LESS 28)
      math(EXPR pad "29 - ${length}")
      string(REPEAT " " ${pad} spaces)
    else()
      string(REPEAT " " 31 spaces)
      set(spaces "\n${spaces}")
    endif()
    string(APPEND help "  ${input}${spaces}${action}\n")
    string(REPLACE "-" "\\-" manInput "${input}")
    string(REPLACE "-" "\\-" manAction "${action}")
    string(APPEND man ".TP\n.B ${manInput}\n${manAction}\n")
    # Single keys and Esc in code type.
    string(REGEX REPLACE "(^| )([a-z0-9]|Esc)( |$)" "\\1`\\2`\\3" markdownInput "${input}")
    string(REGEX REPLACE "(^| )([a-z0-9]|Esc)( |$)" "\\1`\\2`\\3" markdownInput "${markdownInput}")
    string(APPEND markdown "| ${markdownInput} | ${action} |\n")
  endforeach()
  string(REGEX REPLACE "\n$" "" help "${help}")
  string(REGEX REPLACE "\n$" "" man "${man}")
  set(${prefix}_HELP "${help}" PARENT_SCOPE)
  set(${prefix}_MAN "${man}" PARENT_SCOPE)
  set(${prefix}_MARKDOWN "${markdown}" PARENT_SCOPE)
endfunction()
