// The web remote: the home as the bridge confirms it, over one WebSocket.
// A press shows as pending until the home's answer comes back; nothing is
// shown as done before that.
const rows = {
  lights: document.querySelector('#lights .rows'),
  curtains: document.querySelector('#curtains .rows'),
  scenarios: document.querySelector('#scenarios .rows'),
};
const link = document.getElementById('link');
const banner = document.getElementById('banner');
const channels = new Map();
// Per dimmer: whether a level is on its way, and the newest one asked for
// since (only that one goes next, when the home has answered).
const dimming = new Map();
let socket = null;
let retryMs = 1000;

function say(text) {
  banner.textContent = text;
  banner.hidden = !text;
}

function send(request) {
  if (socket && socket.readyState === WebSocket.OPEN) socket.send(JSON.stringify(request));
  else say('Not connected to the home.');
}

function stateText(channel) {
  if (channel.kind === 'dimmer') return channel.state === 'ON' ? `${channel.brightness}%` : 'OFF';
  return channel.state;
}

function rowOf(channel) {
  const row = document.createElement('li');
  row.id = `channel-${channel.id}`;
  const name = document.createElement('span');
  name.className = 'name';
  name.textContent = channel.name;
  const state = document.createElement('span');
  state.className = 'state';
  row.append(name, state);
  const press = (request) => { row.classList.add('pending'); send({ type: 'set', id: channel.id, ...request }); };
  if (channel.kind === 'curtain') {
    for (const [word, label] of [['OPEN', 'Open'], ['STOP', 'Stop'], ['CLOSE', 'Close']]) {
      const button = document.createElement('button');
      button.type = 'button';
      button.textContent = label;
      button.setAttribute('aria-label', `${label} ${channel.name}`);
      button.addEventListener('click', () => press({ state: word }));
      row.append(button);
    }
  } else {
    const toggle = document.createElement('button');
    toggle.type = 'button';
    toggle.className = 'toggle';
    toggle.addEventListener('click', () => press({ state: channels.get(channel.id).state === 'ON' ? 'OFF' : 'ON' }));
    row.append(toggle);
    if (channel.kind === 'dimmer') {
      const slider = document.createElement('input');
      slider.type = 'range';
      slider.min = 0;
      slider.max = 100;
      slider.setAttribute('aria-label', `${channel.name} brightness`);
      slider.addEventListener('input', () => dim(channel.id, Number(slider.value)));
      row.append(slider);
    }
  }
  return row;
}

function dim(id, level) {
  const state = dimming.get(id) ?? { outstanding: false, newest: null };
  dimming.set(id, state);
  if (state.outstanding) {
    state.newest = level;
    return;
  }
  state.outstanding = true;
  document.getElementById(`channel-${id}`).classList.add('pending');
  send({ type: 'set', id, brightness: level });
}

// The home answered a dimmer: the newest level asked for meanwhile goes now.
function dimAnswered(id, shown) {
  const state = dimming.get(id);
  if (!state || !state.outstanding) return;
  state.outstanding = false;
  const next = state.newest;
  state.newest = null;
  if (next !== null && next !== shown) dim(id, next);
}

function show(channel) {
  channels.set(channel.id, channel);
  const list = channel.kind === 'curtain' ? rows.curtains : rows.lights;
  let row = document.getElementById(`channel-${channel.id}`);
  if (!row) { row = rowOf(channel); list.append(row); }
  row.classList.remove('pending');
  row.classList.toggle('unavailable', channel.available === false);
  row.querySelector('.state').textContent = stateText(channel);
  const toggle = row.querySelector('.toggle');
  if (toggle) {
    toggle.textContent = channel.state === 'ON' ? 'Turn off' : 'Turn on';
    toggle.setAttribute('aria-label', `${toggle.textContent} ${channel.name}`);
  }
  const slider = row.querySelector('input[type="range"]');
  if (slider && !dimming.get(channel.id)?.outstanding) slider.value = channel.brightness ?? 0;
  dimAnswered(channel.id, channel.brightness);
}

function showHome(home) {
  for (const list of Object.values(rows)) list.replaceChildren();
  channels.clear();
  home.channels.forEach(show);
  for (const scenario of home.scenarios) {
    const row = document.createElement('li');
    const button = document.createElement('button');
    button.type = 'button';
    button.textContent = scenario.name;
    button.addEventListener('click', () => send({ type: 'scenario', number: scenario.number }));
    row.append(button);
    rows.scenarios.append(row);
  }
  link.textContent = home.link === 'offline' ? 'The master is not answering' : 'Connected';
  // The moment the first controls can be used, for the benchmark.
  if (!performance.getEntriesByName('usable').length) performance.mark('usable');
}

function connect() {
  socket = new WebSocket(`${location.protocol === 'https:' ? 'wss' : 'ws'}://${location.host}/`);
  socket.addEventListener('open', () => { retryMs = 1000; say(''); });
  socket.addEventListener('message', (event) => {
    const message = JSON.parse(event.data);
    if (message.type === 'home') showHome(message);
    else if (message.type === 'state') show(message);
    else if (message.type === 'error') {
      say(message.message);
      for (const row of document.querySelectorAll('li.pending')) row.classList.remove('pending');
      for (const state of dimming.values()) Object.assign(state, { outstanding: false, newest: null });
    }
  });
  socket.addEventListener('close', () => {
    link.textContent = 'Not connected';
    say('The connection to the home was lost. Trying again…');
    setTimeout(connect, retryMs);
    retryMs = Math.min(retryMs * 2, 30000);
  });
}

for (const tile of document.querySelectorAll('.tile')) {
  tile.addEventListener('click', () => {
    for (const other of document.querySelectorAll('.tile')) {
      const chosen = other === tile;
      other.setAttribute('aria-pressed', String(chosen));
      document.getElementById(other.dataset.view).hidden = !chosen;
    }
  });
}
document.getElementById('sync').addEventListener('click', () => send({ type: 'sync' }));
if ('serviceWorker' in navigator) navigator.serviceWorker.register('/sw.js');
connect();
