// Keeps the page's own files, so that it opens and works offline after one
// visit. The page sends nothing anywhere: only its own files are fetched.
'use strict';

const CACHE = 'velmora-@VELMORA_SITE_VERSION@';
const FILES = [
  './', 'index.html', 'app.js', 'style.css', 'velmora.js', 'velmora.wasm', 'help.html', 'help.js',
  'manifest.webmanifest', 'icon.svg', 'icon-192.png', 'icon-512.png', 'warning.svg',
];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(
    caches.keys()
      .then((keys) => Promise.all(keys.filter((key) => key !== CACHE).map((key) => caches.delete(key))))
      .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') {
    return;
  }
  // The address fragment never reaches here; the query is ignored too.
  event.respondWith(caches.match(event.request, {ignoreSearch: true})
    .then((cached) => cached || fetch(event.request)));
});
