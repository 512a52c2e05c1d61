// The page starts here: the engine module, the session, the settings, then the workbench.
import CorvaneEngine from 'corvane-engine';
import { Workbench } from './workbench.js';
import { loadSettings } from './settings.js';
import { PictureCanvas } from './pictures/PictureCanvas.js';
import { engineInstantiation } from './engineCode.js';

async function start() {
  const engine = await new Promise((resolve, reject) => {
    CorvaneEngine({
      locateFile: (file) => `engine/${file}`,
      instantiateWasm: engineInstantiation(reject),
    }).then(resolve, reject);
  });
  const session = new engine.BrowserSession();
  const storage = window.localStorage;
  const workbench = new Workbench(document.getElementById('workbench'), {
    session,
    settings: loadSettings(storage),
    storage,
    painter: new PictureCanvas(),
  });
  workbench.start();
  window.corvane = workbench; // for the browser tests and the console
}

// A browser without WebAssembly, or a site without its engine, says so instead of staying blank.
start().catch((error) => {
  document.getElementById('workbench').textContent = `Corvane could not start: ${error?.message ?? error}`;
});
// Keeps the site for visits with no network.
navigator.serviceWorker?.register('sw.js');
