# Writes SITE/sw.js from TEMPLATE: the cache's name is the version and a
# checksum of the files it keeps (FILES, joined with '|'), so any change to any
# of them makes a new cache that replaces the old one on the next visit.
string(REPLACE "|" ";" files "${FILES}")
set(sums "")
set(list "")
foreach(file IN LISTS files)
  file(SHA256 ${SITE}/${file} sum)
  string(APPEND sums "${sum}")
  string(APPEND list "  './${file}',\n")
endforeach()
string(SHA256 checksum "${sums}")
string(SUBSTRING ${checksum} 0 12 checksum)
set(CACHE_NAME "quillmere-${VERSION}-${checksum}")
set(FILES_LIST "${list}")
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
