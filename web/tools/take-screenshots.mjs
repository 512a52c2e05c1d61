// Takes the README's two pictures of the page in Debian's headless chromium: the workbench
// with the RAM view, and the device panels.
//
//   node web/tools/take-screenshots.mjs [URL] [FOLDER]   (default http://127.0.0.1:8080/ docs)
import { chromium } from 'playwright-core';
import path from 'node:path';

const url = process.argv[2] ?? 'http://127.0.0.1:8080/';
const folder = process.argv[3] ?? 'docs';

async function menu(page, title, item) {
  await page.getByRole('menuitem', { name: title, exact: true }).click();
  await page.getByRole('menuitem', { name: item, exact: true }).click();
}

async function button(page, name) {
  await page.getByRole('button', { name, exact: true }).click();
}

async function workbenchWithRamView(page) {
  await menu(page, 'Examples', '0 Arithmetic');
  await button(page, 'Assemble');
  for (let i = 0; i < 4; ++i) await button(page, 'Step');
  await button(page, 'Show Ram');
  await page.evaluate(() => window.corvane.panels.RamView.moveTo({ x: 300, y: 262 }));
  await page.waitForTimeout(300);
  await page.screenshot({ path: path.join(folder, 'web-workbench.png') });
}

// The Demonstration drives the lights, the digits and the VDU; the other panels stand beside
// them as they are. Only devices that have a picture are shown.
async function devicePanels(page) {
  await menu(page, 'View', 'Hide All Peripherals');
  await menu(page, 'Examples', '4 Demonstration');
  await button(page, 'Assemble');
  for (let i = 0; i < 6; ++i) await button(page, 'Faster');
  await button(page, 'Run F9');
  await page.waitForTimeout(300);
  const places = {
    TrafficLights: [10, 175], SevenSegment: [215, 175], Heater: [10, 440], Vdu: [430, 175],
    Lift: [430, 400], Keypad: [760, 175], Stepper: [760, 400], Keyboard: [215, 440],
  };
  await page.evaluate((wanted) => {
    const bench = window.corvane;
    bench.hideWindow('RamView');
    for (const [name, [x, y]] of Object.entries(wanted)) {
      if (bench.session.DevicePicture(name).parts.length === 0) continue;
      bench.showWindow(name);
      bench.panels[name].moveTo({ x, y });
    }
  }, places);
  await page.waitForTimeout(2500);
  // The running program opens the RAM view and its windows again at every step; the shot is
  // of the pictures alone, stopped.
  await button(page, 'STOP');
  await page.evaluate(() => {
    const bench = window.corvane;
    bench.hideWindow('RamView');
    for (const d of bench.session.Devices()) {
      if (bench.session.DevicePicture(d.window).parts.length === 0) bench.hideWindow(d.window);
    }
  });
  await page.waitForTimeout(100);
  await page.screenshot({ path: path.join(folder, 'web-devices.png') });
}

const browser = await chromium.launch({ executablePath: '/usr/bin/chromium' });
try {
  const page = await browser.newPage({ viewport: { width: 1000, height: 700 } });
  page.on('pageerror', (e) => console.error(e.message));
  await page.goto(url);
  await page.getByRole('button', { name: 'Assemble' }).waitFor();
  await workbenchWithRamView(page);
  await devicePanels(page);
} finally {
  await browser.close();
}
