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
  await menu(page, 'Examples', '4 Demonstration');
  await button(page, 'Assemble');
  for (let i = 0; i < 6; ++i) await button(page, 'Faster');
  await button(page, 'Run F9');
  await page.waitForTimeout(300);
  await page.setViewportSize({ width: 1400, height: 920 });
  await page.evaluate(() => {
    const bench = window.corvane;
    bench.hideWindow('RamView');
    // The panels in rows under the top panel, each as wide as its picture and a frame.
    let x = 10;
    let y = 175;
    let rowHeight = 0;
    for (const { window: name } of bench.session.Devices()) {
      const picture = bench.session.DevicePicture(name);
      if (picture.parts.length === 0) continue;
      if (x + picture.width + 12 > 1400) {
        x = 10;
        y += rowHeight + 8;
        rowHeight = 0;
      }
      bench.showWindow(name);
      bench.panels[name].moveTo({ x, y });
      x += picture.width + 16;
      rowHeight = Math.max(rowHeight, picture.height + 30);
    }
  });
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
