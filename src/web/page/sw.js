// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the page's own files for a quick start; never a state or a message.
// The document carries the style and the home's scripts (the files too, for
// a document served without them); the other screens' modules are files.
const files = ['/', '/index.html', '/style.css', '/app.js', '/quick.js', '/pictures.js', '/devices.js',
  '/scenarios.js', '/enrol.js', '/scan.js', '/upload.js', '/backups.js', '/schedules.js', '/icon.svg',
  '/apple-touch-icon.png', '/manifest.webmanifest',
  '/icons/home_Lighting.svg', '/icons/home_Curtain.svg', '/icons/home_Thermostat.svg',
  '/icons/curtain_open.svg', '/icons/curtain_close.svg', '/icons/curtain_stop.svg',
  '/pictures/MainIcon320b.svg', '/pictures/company_Logo_Red.svg'];
const kept = 'ardentia-v11';
self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(kept).then((cache) => cache.addAll(files)));
});
// Older versions' copies go once this one runs.
self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys().then((names) => Promise.all(names.filter((name) => name !== kept)
    .map((name) => caches.delete(name)))));
});
// The bridge first, always; what it answered is kept, so that the page
// without the bridge is the newest one seen, not the one first installed.
self.addEventListener('fetch', (event) => {
  const url = new URL(event.request.url);
  if (event.request.method !== 'GET' || !files.includes(url.pathname)) return;
  event.respondWith(fetch(event.request).then((answer) => {
    if (answer.ok) {
      const copy = answer.clone();
      event.waitUntil(caches.open(kept).then((cache) => cache.put(event.request, copy)));
    }
    return answer;
  }, () => caches.match(event.request)));
});
