// Keeps the page's own files, so that it opens and works offline after one
// visit. The page sends nothing anywhere: only its own files are fetched.
//
// The copy is named after a digest of every file of the site: any change is
// a new release, installed on the first visit after it is published and in
// use from the next. A release is copied whole or not at all.
'use strict';

const PREFIX = 'velmora-';
const CACHE = `${PREFIX}@VELMORA_SITE_VERSION@`;
const FILES = [@VELMORA_SITE_FILES@];

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    // Past the browser's HTTP cache, which may still hold the old release's
    // files and think them fresh; a file that cannot be fetched fails the
    // install, and the visitor stays on the complete old copy.
    const responses = await Promise.all(FILES.map(async (file) => {
      const response = await fetch(new Request(file, {cache: 'reload'}));
      if (!response.ok) {
        throw new Error(`${file}: ${response.status}`);
      }
      return [file, response];
    }));
    try {
      const cache = await caches.open(CACHE);
      await Promise.all(responses.map(([file, response]) => cache.put(file, response)));
    } catch (error) {
      await caches.delete(CACHE);
      throw error;
    }
    await self.skipWaiting();
  })());
});

// Only this page's own older copies are deleted; other caches of the same
// origin belong to someone else.
self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    const keys = await caches.keys();
    await Promise.all(keys.filter((key) => key.startsWith(PREFIX) && key !== CACHE)
      .map((key) => caches.delete(key)));
    await self.clients.claim();
  })());
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET' || new URL(event.request.url).origin !== self.location.origin) {
    return;
  }
  // The address fragment never reaches here; the query is ignored too.
  event.respondWith((async () => {
    const cache = await caches.open(CACHE);
    const cached = await cache.match(event.request, {ignoreSearch: true});
    return cached || fetch(event.request);
  })());
});
