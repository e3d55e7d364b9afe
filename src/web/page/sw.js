// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the page's own files for a quick start; never a state or a message.
// The document carries the style and the home's scripts; the other screens' modules are files.
const files = ['/', '/index.html', '/devices.js', '/scenarios.js', '/enrol.js', '/upload.js', '/backups.js', '/schedules.js', '/pictures.js', '/icon.svg', '/manifest.webmanifest'];
self.addEventListener('install', (event) => {
  event.waitUntil(caches.open('ardentia-v9').then((cache) => cache.addAll(files)));
});
self.addEventListener('fetch', (event) => {
  const url = new URL(event.request.url);
  if (event.request.method !== 'GET' || !files.includes(url.pathname)) return;
  event.respondWith(fetch(event.request).catch(() => caches.match(event.request)));
});
