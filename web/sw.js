// The page's service worker: it keeps the page's files so that after one
// visit the game starts with no network. Its build names the cache after the
// files' contents; a new build's worker fills a cache of its own, takes over
// when the page tells it to, and the old cache goes.
const CACHE = `${registration.scope} @PLINKARD_CACHE@`;
const FILES = [@PLINKARD_FILES@];

self.addEventListener('install', (event) => {
  // Fresh from the server, never from the browser's own cache of older files.
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES.map((f) => new Request(f, { cache: 'no-cache' })))));
});

self.addEventListener('message', (event) => {
  if (event.data === 'take over') self.skipWaiting();
});

self.addEventListener('activate', (event) => {
  const older = (name) => name.startsWith(`${registration.scope} `) && name !== CACHE;
  event.waitUntil(caches.keys().then((names) => Promise.all(names.filter(older).map((name) => caches.delete(name)))));
});

// The kept files first; anything else, or anything missing, from the network.
self.addEventListener('fetch', (event) => {
  const request = event.request;
  const url = new URL(request.url);
  if (request.method !== 'GET' || url.origin !== location.origin) return;
  const key = request.mode === 'navigate' && url.href === registration.scope ? 'plinkard.html' : request;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(key, { ignoreSearch: true }))
    .then((kept) => kept || fetch(request)));
});
