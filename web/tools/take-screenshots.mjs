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
// them as they are.
async function devicePanels(page) {
  await menu(page, 'View', 'Hide All Peripherals');
  await page.evaluate(() => window.corvane.panels.RamView.hide());
  await menu(page, 'Examples', '4 Demonstration');
  await button(page, 'Assemble');
  for (let i = 0; i < 6; ++i) await button(page, 'Faster');
  await button(page, 'Run F9');
  const places = {
    Vdu: [10, 150], TrafficLights: [640, 150], SevenSegment: [640, 420], Lift: [380, 150],
    Keypad: [10, 420], Heater: [200, 420],
  };
  for (const [name, [x, y]] of Object.entries(places)) {
    await page.evaluate(([n, px, py]) => {
      window.corvane.showWindow(n);
      window.corvane.panels[n].moveTo({ x: px, y: py });
    }, [name, x, y]);
  }
  await page.waitForTimeout(2500);
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
