// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the page's own files for a quick start; never a state or a message.
const files = ['/', '/index.html', '/app.js', '/devices.js', '/scenarios.js', '/enrol.js', '/upload.js', '/backups.js', '/schedules.js', '/quick.js', '/pictures.js', '/style.css', '/icon.svg', '/manifest.webmanifest'];
self.addEventListener('install', (event) => {
  event.waitUntil(caches.open('ardentia-v8').then((cache) => cache.addAll(files)));
});
self.addEventListener('fetch', (event) => {
  const url = new URL(event.request.url);
  if (event.request.method !== 'GET' || !files.includes(url.pathname)) return;
  event.respondWith(fetch(event.request).catch(() => caches.match(event.request)));
});
