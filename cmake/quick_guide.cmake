# Writes the README's "Using Korva" section as a C++ string, so that Help >
# Quick Guide shows the very text of the README.
# Run as: cmake -DREADME=<README.md> -DOUT=<header> -P quick_guide.cmake
file(READ "${README}" text)
string(FIND "${text}" "## Using Korva" start)
if(start EQUAL -1)
  message(FATAL_ERROR "README.md has no '## Using Korva' section")
endif()
string(SUBSTRING "${text}" ${start} -1 text)
string(SUBSTRING "${text}" 3 -1 rest)
string(FIND "${rest}" "\n## " end)
if(NOT end EQUAL -1)
  math(EXPR end "${end} + 3")
  string(SUBSTRING "${text}" 0 ${end} text)
endif()
string(REPLACE "## Using Korva" "# Korva Quick Guide" text "${text}")
file(WRITE "${OUT}.tmp" "#pragma once\n\nnamespace korva {\ninline constexpr const char* kQuickGuide = R\"KORVA_GUIDE(${text})KORVA_GUIDE\";\n}  // namespace korva\n")
file(RENAME "${OUT}.tmp" "${OUT}")
