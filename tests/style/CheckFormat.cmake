# Fails when a C++ source of the project differs from what clang-format makes of it.
file(GLOB_RECURSE sources
  ${SOURCE_DIR}/common/*.cpp ${SOURCE_DIR}/common/*.h
  ${SOURCE_DIR}/config/*.cpp ${SOURCE_DIR}/config/*.h
  ${SOURCE_DIR}/engine/*.cpp ${SOURCE_DIR}/engine/*.h
  ${SOURCE_DIR}/ui/*.cpp ${SOURCE_DIR}/ui/*.h
  ${SOURCE_DIR}/platform/*.cpp ${SOURCE_DIR}/platform/*.h
  ${SOURCE_DIR}/testsupport/*.cpp ${SOURCE_DIR}/testsupport/*.h
  ${SOURCE_DIR}/tests/*.cpp ${SOURCE_DIR}/tests/*.h
  ${SOURCE_DIR}/bench/*.cpp ${SOURCE_DIR}/bench/*.h)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources}
  RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Sources differ from .clang-format (run clang-format -i):\n${errors}")
endif()
