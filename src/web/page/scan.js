// SPDX-License-Identifier: GPL-3.0-or-later
// Live scanning of a printed code with the browser's own detector: the rear
// camera in a video element, one look at the picture every 200 ms, and the
// first code read handed on. Stopping ends every track of the camera, also
// when it is asked for while the camera is still being opened.

const lookEveryMs = 200;

// Starts the camera; returns the function that stops it. onCode gets the
// text of the first code read (the camera stopped first); onFailure is
// called when the camera cannot be opened or shown; onTorch, once the camera
// is open, when it has a light: with the function that turns it on or off.
export function scanLive(video, formats, { onCode, onFailure, onTorch }) {
  const detector = new BarcodeDetector({ formats });
  let stopped = false;
  let stream = null;
  let timer = null;

  function stop() {
    stopped = true;
    clearTimeout(timer);
    for (const track of stream?.getTracks() ?? []) track.stop();
    stream = null;
    video.srcObject = null;
  }

  function fail(error) {
    if (stopped) return;
    stop();
    onFailure(error);
  }

  async function look() {
    const codes = video.readyState >= HTMLMediaElement.HAVE_CURRENT_DATA
      ? await detector.detect(video).catch(() => []) : [];
    if (stopped) return;
    const code = codes.find((found) => found.rawValue)?.rawValue;
    if (code) {
      stop();
      onCode(code);
      return;
    }
    timer = setTimeout(look, lookEveryMs);
  }

  navigator.mediaDevices.getUserMedia({ video: { facingMode: 'environment' }, audio: false })
    .then((opened) => {
      stream = opened;
      if (stopped) {
        stop();
        return;
      }
      video.srcObject = opened;
      video.play().then(() => { if (!stopped) look(); }, fail);
      const [track] = opened.getVideoTracks();
      if (track?.getCapabilities?.().torch) {
        onTorch?.((on) => track.applyConstraints({ advanced: [{ torch: on }] }).catch(() => false));
      }
    }, fail);
  return stop;
}
