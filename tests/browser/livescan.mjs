// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for the browser's barcode detector (Debian's chromium has none),
// installed into a page before its scripts run: it reads whatever code the
// test puts "in front of the camera" (window.codeInView) from the video the
// page shows it, and counts its looks. Every camera the page opens is kept
// in window.openedCameras, so that a test can see its tracks stopped; with
// window.cameraHasLight, the cameras opened have a light.
export function installDetector() {
  window.codeInView = null;
  window.detectorLooks = 0;
  window.openedCameras = [];
  window.cameraHasLight = false;
  window.torchAsked = [];
  const open = navigator.mediaDevices.getUserMedia.bind(navigator.mediaDevices);
  navigator.mediaDevices.getUserMedia = async (constraints) => {
    const stream = await open(constraints);
    window.openedCameras.push(stream);
    // A camera with a light, when the test says so: what it is asked is kept in window.torchAsked.
    if (window.cameraHasLight) {
      const [track] = stream.getVideoTracks();
      const capabilities = track.getCapabilities.bind(track);
      track.getCapabilities = () => ({ ...capabilities(), torch: true });
      track.applyConstraints = async (wanted) => { window.torchAsked.push(wanted.advanced[0].torch); };
    }
    return stream;
  };
  window.BarcodeDetector = class {
    constructor({ formats }) {
      window.detectorFormats = formats;
    }

    static async getSupportedFormats() {
      return ['aztec', 'code_128', 'qr_code'];
    }

    async detect(source) {
      if (!(source instanceof HTMLVideoElement) || !source.srcObject || source.videoWidth === 0) {
        throw new TypeError('no picture to look at');
      }
      window.detectorLooks += 1;
      return window.codeInView ? [{ rawValue: window.codeInView, format: 'qr_code' }] : [];
    }
  };
}

// The same browser without any detector.
export function removeDetector() {
  delete window.BarcodeDetector;
}

// Whether every camera the page opened has all its tracks ended.
export const camerasStopped = (page) => page.evaluate(() => window.openedCameras.length > 0
  && window.openedCameras.every((stream) => stream.getTracks().every((track) => track.readyState === 'ended')));

// Whether the page shows a live camera picture.
export const cameraLive = (page) => page.evaluate(() => {
  const video = document.getElementById('enrol-video');
  return !video.paused && video.readyState >= HTMLMediaElement.HAVE_CURRENT_DATA
    && video.srcObject?.getTracks().every((track) => track.readyState === 'live');
});
