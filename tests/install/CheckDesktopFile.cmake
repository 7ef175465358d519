# The menu entry starts the installed program by its full path, quoted and escaped as desktop
# entries want whenever the path holds a reserved character.
include("${SOURCE_DIR}/platform/qt/app/DesktopFile.cmake")

function(expect_exec program expected)
  set(output "${WORK_DIR}/velnix.desktop")
  velnix_write_desktop_file("${SOURCE_DIR}/platform/qt/app/velnix.desktop.in" "${program}"
    "${output}")
  file(STRINGS "${output}" lines REGEX "^Exec=")
  if(NOT lines STREQUAL "Exec=${expected}")
    message(FATAL_ERROR "${program}: got '${lines}', expected 'Exec=${expected}'")
  endif()
endfunction()

expect_exec("/usr/local/bin/velnix" "/usr/local/bin/velnix")
expect_exec("/home/jean/Mes programmes/bin/velnix" "\"/home/jean/Mes programmes/bin/velnix\"")
# " and $ escaped once for the quoting and the backslashes once more for the string value; % doubled.
expect_exec("/opt/a\"b$c%d/bin/velnix" "\"/opt/a\\\\\"b\\\\$c%%d/bin/velnix\"")
expect_exec("/opt/x\\y/velnix" "\"/opt/x\\\\\\\\y/velnix\"")
