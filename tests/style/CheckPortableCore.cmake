# Fails when a file outside platform/ includes a toolkit or operating-system header: the core
# must build unchanged on Windows.
set(forbidden_pattern "#[ \t]*include[ \t]*[<\"](Q[A-Za-z]+|Qt[A-Za-z]*/[^>\"]*|unistd\\.h|windows\\.h|sys/[^>\"]*|fcntl\\.h|dirent\\.h|signal\\.h|pthread\\.h|dlfcn\\.h|spawn\\.h|pwd\\.h|grp\\.h)[>\"]")
file(GLOB_RECURSE sources
  ${SOURCE_DIR}/common/*.cpp ${SOURCE_DIR}/common/*.h
  ${SOURCE_DIR}/config/*.cpp ${SOURCE_DIR}/config/*.h
  ${SOURCE_DIR}/engine/*.cpp ${SOURCE_DIR}/engine/*.h
  ${SOURCE_DIR}/ui/*.cpp ${SOURCE_DIR}/ui/*.h)
set(offenders "")
foreach(source IN LISTS sources)
  file(STRINGS ${source} lines REGEX "${forbidden_pattern}")
  if(lines)
    list(APPEND offenders "${source}: ${lines}")
  endif()
endforeach()
if(offenders)
  string(REPLACE ";" "\n" offenders "${offenders}")
  message(FATAL_ERROR "Toolkit or system headers outside platform/:\n${offenders}")
endif()
