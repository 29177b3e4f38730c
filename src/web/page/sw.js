// Keeps the page's own files, so that it opens and works offline after one
// visit. The page sends nothing anywhere: only its own files are fetched.
//
// The copy is named after a digest of every file of the site: any change is
// a new release, installed on the first visit after it is published and in
// use from the next. A release is copied whole or not at all.
//
// A page keeps its release while it is open: what it loads later (最佳组合's
// module and its worker) comes from the copy the page itself came from, so
// that a page of one release never runs a module of the next. A copy no
// open page or worker uses is deleted.
'use strict';

const PREFIX = 'velmora-';
const CACHE = `${PREFIX}@VELMORA_SITE_VERSION@`;
const FILES = [@VELMORA_SITE_FILES@];
// Which copy each open page and worker was loaded from, by its client id.
const IN_USE = `${PREFIX}in-use`;
const inUseKey = (id) => `in-use/${encodeURIComponent(id)}`;

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

// Which copy each client was loaded from, as recorded in IN_USE (kept there
// too, since the browser stops an idle service worker).
const loadedFrom = new Map();
async function recordedCopy(id) {
  if (!loadedFrom.has(id)) {
    const record = await (await caches.open(IN_USE)).match(inUseKey(id));
    loadedFrom.set(id, record ? await record.text() : null);
  }
  return loadedFrom.get(id);
}

// Only this page's own older copies are deleted, and only those no open page
// or worker still uses (`asking`, the client whose request this is, among
// them, listed or not); other caches of the same origin belong to someone
// else.
const tidiedFor = new Set();
async function tidy(asking = '', always = false) {
  const copies = (await caches.keys()).filter((key) => key.startsWith(PREFIX) && key !== CACHE && key !== IN_USE);
  if (copies.length === 0 && !always) {
    return; // the records of pages gone are cleared with the next release
  }
  const registration = self.registration;
  const me = self.serviceWorker;
  if (registration.installing || registration.waiting || (me && me !== registration.active)) {
    return; // a newer release is being copied or in use: its copy is not this worker's to judge
  }
  const open = new Set((await self.clients.matchAll({ includeUncontrolled: true, type: 'all' }))
    .map((client) => client.id));
  open.add(asking);
  const inUse = await caches.open(IN_USE);
  const kept = new Set([CACHE, IN_USE]);
  for (const request of await inUse.keys()) {
    const id = decodeURIComponent(new URL(request.url).pathname.split('/').pop());
    const record = open.has(id) && await inUse.match(request);
    if (record) {
      kept.add(await record.text());
    } else if (!open.has(id)) {
      loadedFrom.delete(id);
      await inUse.delete(request);
    }
  }
  await Promise.all(copies.filter((key) => !kept.has(key)).map((key) => caches.delete(key)));
}

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    await tidy('', true);
    await self.clients.claim();
  })());
});

// A new page is loaded from the newest copy; whatever a page or worker asks
// for later, and a worker it starts, from the copy it was loaded from while
// that copy is kept.
async function copyFor(event) {
  let copy = CACHE;
  if (event.request.mode !== 'navigate' && event.clientId) {
    const recorded = await recordedCopy(event.clientId);
    if (recorded && recorded !== CACHE && await caches.has(recorded)) {
      copy = recorded;
    }
  }
  if (event.resultingClientId) {
    loadedFrom.set(event.resultingClientId, copy);
    event.waitUntil(caches.open(IN_USE)
      .then((inUse) => inUse.put(inUseKey(event.resultingClientId), new Response(copy))));
  }
  return copy;
}

// A copy's file, marked for the browser to ask again next time instead of
// keeping it as fresh in its own caches: a page of another release, even the
// same tab reloaded, must get the file of its own copy from here.
function askedAgain(cached) {
  const headers = new Headers(cached.headers);
  headers.set('Cache-Control', 'no-cache');
  return new Response(cached.body, { status: cached.status, statusText: cached.statusText, headers });
}

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET' || new URL(event.request.url).origin !== self.location.origin) {
    return;
  }
  // The address fragment never reaches here; the query is ignored too.
  event.respondWith((async () => {
    const cache = await caches.open(await copyFor(event));
    const cached = await cache.match(event.request, {ignoreSearch: true});
    return cached ? askedAgain(cached) : fetch(event.request);
  })());
  // A page's first request after it was loaded: the page it replaced (the
  // same tab reloaded) is gone by then, and may have held the last use of a
  // copy.
  if (event.request.mode !== 'navigate' && event.clientId && !tidiedFor.has(event.clientId)) {
    tidiedFor.add(event.clientId);
    event.waitUntil(tidy(event.clientId));
  }
});
