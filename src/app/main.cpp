// The window's program.

#include "main_block.hpp"

int main(int argc, char* argv[]) { return rozuduzod::RunMainBlock(argc, argv); }
