// The page starts here: the engine module, the session, the settings, then the workbench.
import CorvaneEngine from './engine/corvane-engine.js';
import { Workbench } from './workbench.js';
import { loadSettings } from './settings.js';

async function start() {
  const engine = await CorvaneEngine();
  const session = new engine.BrowserSession();
  const storage = window.localStorage;
  const workbench = new Workbench(document.getElementById('workbench'), {
    session,
    settings: loadSettings(storage),
    storage,
  });
  workbench.start();
  window.corvane = workbench; // for the browser tests and the console
}

// The service worker keeps the site for visits without a network; a page served from a file
// or without a secure origin simply has none.
function keepSiteOffline() {
  if ('serviceWorker' in navigator) {
    navigator.serviceWorker.register('sw.js').catch(() => {});
  }
}

start();
keepSiteOffline();
