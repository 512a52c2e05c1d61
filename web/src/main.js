// The page starts here: the engine module, the session, the settings, then the workbench.
import CorvaneEngine from './engine/corvane-engine.js';
import { Workbench } from './workbench.js';
import { loadSettings } from './settings.js';
import { PictureCanvas } from './pictures/PictureCanvas.js';

async function start() {
  const engine = await CorvaneEngine();
  const session = new engine.BrowserSession();
  const storage = window.localStorage;
  const workbench = new Workbench(document.getElementById('workbench'), {
    session,
    settings: loadSettings(storage),
    storage,
    painter: new PictureCanvas(),
  });
  workbench.start();
// Keeps the site for visits with no network.
navigator.serviceWorker?.register('sw.js');
  window.corvane = workbench; // for the browser tests and the console
}

start();
// Keeps the site for visits with no network.
navigator.serviceWorker?.register('sw.js');
