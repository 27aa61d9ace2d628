# Writes the service worker into DIR with the files it keeps (FILES, comma
# separated, relative to DIR) and a build id hashed from their contents, so
# that any change to the page, the program, the icons or the worker makes a new
# cache.
#   cmake -DDIR=build/web -DFILES=a,b -DTEMPLATE=web/service-worker.js -P stamp-worker.cmake
string(REPLACE "," ";" files "${FILES}")
set(hashes "")
set(KESTROVA_WEB_FILES "")
foreach(file ${files})
  file(SHA256 "${DIR}/${file}" hash)
  string(APPEND hashes "${hash} ${file}\n")
  list(APPEND KESTROVA_WEB_FILES "\"${file}\"")
endforeach()
file(SHA256 "${TEMPLATE}" hash)
string(SHA256 build "${hashes}${hash} worker\n")
string(SUBSTRING "${build}" 0 16 KESTROVA_WEB_BUILD)
list(JOIN KESTROVA_WEB_FILES ", " KESTROVA_WEB_FILES)
file(READ "${TEMPLATE}" worker)
string(CONFIGURE "${worker}" worker @ONLY)
file(WRITE "${DIR}/service-worker.js" "${worker}")
