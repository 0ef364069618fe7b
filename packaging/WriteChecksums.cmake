# Writes OUTPUT in the form sha256sum writes and `sha256sum -c` reads:
# one line per file of FILES, its hash, two blanks and its bare name.
set(lines "")
foreach(file IN LISTS FILES)
  file(SHA256 ${file} hash)
  get_filename_component(name ${file} NAME)
  string(APPEND lines "${hash}  ${name}\n")
endforeach()
file(WRITE ${OUTPUT} "${lines}")
