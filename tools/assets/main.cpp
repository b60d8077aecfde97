#include <filesystem>
int main(int argc, char** argv) { if (argc > 1) std::filesystem::create_directories(argv[1]); return 0; }
