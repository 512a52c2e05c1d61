// The service worker: it keeps the whole site in a cache at the first visit, so the page
// works with no network afterwards. The site's own files come from the cache first; a new
// build brings a new version, whose cache replaces the old one once it is complete.
//
// build-site.mjs writes the list of files and the version into the next line.
const SITE = { version: 'unbuilt', files: [] };
const CACHE = `corvane-${SITE.version}`;

self.addEventListener('install', (event) => {
  event.waitUntil(
    caches
      .open(CACHE)
      .then((cache) => cache.addAll(SITE.files.map((file) => new Request(file, { cache: 'reload' }))))
      .then(() => self.skipWaiting()),
  );
  routeToCache(event);
});

// Where the browser can, it answers from the cache itself, without starting the worker first:
// a later visit is quicker by the worker's start. Elsewhere the fetch handler below serves.
function routeToCache(event) {
  if (!event.addRoutes) return;
  try {
    const siteFiles = { urlPattern: new URLPattern({ search: '' }) };
    event.addRoutes({ condition: siteFiles, source: { cacheName: CACHE } }).catch(() => {});
  } catch {
    // A browser that knows other rules than these: the fetch handler serves.
  }
}

self.addEventListener('activate', (event) => {
  event.waitUntil(
    caches
      .keys()
      .then((names) =>
        Promise.all(names.filter((name) => name.startsWith('corvane-') && name !== CACHE).map((name) => caches.delete(name))),
      )
      .then(() => self.clients.claim()),
  );
});

// Only the site's own files: nothing else is fetched by the page.
self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(
    caches.match(request, { ignoreSearch: true, cacheName: CACHE }).then((cached) => cached ?? fetch(request)),
  );
});
