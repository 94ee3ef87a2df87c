# Writes a page's service worker, DIR/sw.js, from TEMPLATE: the FILES of DIR
# it keeps (separated by |), and its cache named by the version and a hash of
# their contents, so that any new build fills a cache of its own.
#   cmake -DTEMPLATE=web/sw.js -DDIR=build-web -DFILES=a|b -DVERSION=1.1.0 -P ServiceWorker.cmake
string(REPLACE "|" ";" FILES "${FILES}")
set(hashes "")
set(quoted "")
foreach(file IN LISTS FILES)
  file(SHA256 "${DIR}/${file}" hash)
  string(APPEND hashes "${hash} ${file}\n")
  list(APPEND quoted "'${file}'")
endforeach()
string(SHA256 digest "${hashes}")
string(SUBSTRING "${digest}" 0 16 digest)
set(PLINKARD_CACHE "plinkard-${VERSION}-${digest}")
list(JOIN quoted ", " PLINKARD_FILES)
configure_file("${TEMPLATE}" "${DIR}/sw.js" @ONLY)
file(TOUCH "${DIR}/sw.js")
