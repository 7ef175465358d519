# Writes the D-Bus service file that starts `program` for a client's call. The bus splits the
# Exec line as a shell would, so the program's name is double-quoted (a blank in the install
# folder would cut it in two) with its backslashes and double quotes escaped.
function(velnix_write_service_file template program output)
  string(REPLACE "\\" "\\\\" quoted "${program}")
  string(REPLACE "\"" "\\\"" quoted "${quoted}")
  set(VELNIX_SERVICE_EXEC "\"${quoted}\"")
  configure_file("${template}" "${output}" @ONLY)
endfunction()
