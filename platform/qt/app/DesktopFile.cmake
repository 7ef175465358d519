# Writes the menu entry that starts `program` by its full path, so that it starts even when the
# install folder is not on PATH. A path with a reserved character is double-quoted with ", `, $
# and \ escaped, % doubled, then backslashes doubled again as the entry's string values want.
function(velnix_write_desktop_file template program output)
  set(exec "${program}")
  string(REPLACE "%" "%%" exec "${exec}")
  if(exec MATCHES "[] \t\n\"'\\\\><~|&;$*?#()`[]")
    string(REPLACE "\\" "\\\\" exec "${exec}")
    string(REPLACE "\"" "\\\"" exec "${exec}")
    string(REPLACE "`" "\\`" exec "${exec}")
    string(REPLACE "$" "\\$" exec "${exec}")
    set(exec "\"${exec}\"")
  endif()
  string(REPLACE "\\" "\\\\" VELNIX_DESKTOP_EXEC "${exec}")
  configure_file("${template}" "${output}" @ONLY)
endfunction()
