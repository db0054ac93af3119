// Compiles the Qt test programs' precompiled headers (tests/CMakeLists.txt).
