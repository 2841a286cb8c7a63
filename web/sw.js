// Keeps the page for use offline once it has been served: the files are
// stored at installation and answered from the store first, the network
// refreshing them in the background.
const STORE = 'pyrelon-1.7';
const FILES = ['./', './pyrelon.html', './manifest.webmanifest', './pyrelon-icon.svg'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(STORE).then((store) => store.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(
    caches.keys()
      .then((names) => Promise.all(names.filter((n) => n !== STORE).map((n) => caches.delete(n))))
      .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(
    caches.open(STORE).then((store) =>
      store.match(event.request, { ignoreSearch: true }).then((stored) => {
        const fresh = fetch(event.request)
          .then((response) => {
            if (response.ok) store.put(event.request, response.clone());
            return response;
          })
          .catch(() => stored);
        return stored || fresh;
      })));
});
