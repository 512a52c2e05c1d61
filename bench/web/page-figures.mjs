// The browser edition's figures, measured in headless Chromium against the local server:
// how soon the page is usable on a first and on a later visit, how many bytes it transfers,
// and how it keeps up at the fastest clock with the run log, RAM view and VDU all busy.
//
//   node bench/web/page-figures.mjs [--seconds N]
//
// It needs the built site (scripts/build-web.sh) and web/'s npm packages (npm ci in web/).

import { readFileSync, readdirSync, statSync } from 'node:fs';
import path from 'node:path';
import { gzipSync } from 'node:zlib';

import { launchBrowser, SiteRoot, startServer } from '../../web/tests/support/site.mjs';
import { Student } from '../../web/tests/support/student.mjs';

// How long after the first visit the later one comes.
const SettleMs = 2000;

// The fastest clock.
const ClockMs = 2;
const StepsPerSecondGoal = 1000 / ClockMs;

// Every pass of the loop is four steps; each time AL wraps round, three more count BL up.
// AL and BL are kept at A0 and A1, where RAM gives them back without disturbing the page;
// AL goes to the VDU too.
const CountingLoop = [
  'Start:',
  '\tINC\tAL',
  '\tMOV\t[A0],AL',
  '\tMOV\t[C0],AL',
  '\tJNZ\tStart',
  '\tINC\tBL',
  '\tMOV\t[A1],BL',
  '\tJMP\tStart',
  '\tEND',
  '',
].join('\n');

function secondsOption() {
  const at = process.argv.indexOf('--seconds');
  return at > 0 ? Number(process.argv[at + 1]) : 10;
}

// Milliseconds from the start of navigation until the page's engine is ready.
async function visit(page, url) {
  await page.goto(url);
  const ready = await page.waitForFunction(() => window.corvane?.session && performance.now());
  return ready.jsonValue();
}

// What the page itself fetched over the network on its first visit, in bytes as sent.
function countTransfers(cdp) {
  const counted = { bytes: 0 };
  cdp.on('Network.loadingFinished', (event) => {
    counted.bytes += event.encodedDataLength;
  });
  return counted;
}

// Every file of the site gzipped: what a first visit and the service worker's cache fetch
// at most between them.
function siteGzipBytes(folder = SiteRoot) {
  let total = 0;
  for (const name of readdirSync(folder)) {
    const file = path.join(folder, name);
    total += statSync(file).isDirectory()
      ? siteGzipBytes(file)
      : gzipSync(readFileSync(file)).length;
  }
  return total;
}

async function loadingFigures(browser, url) {
  const context = await browser.newContext();
  const page = await context.newPage();
  const cdp = await context.newCDPSession(page);
  await cdp.send('Network.enable');
  const transfers = countTransfers(cdp);
  const firstMs = await visit(page, url);
  await page.evaluate(() => navigator.serviceWorker.ready);
  const firstBytes = transfers.bytes;
  // A later visit comes later: the first visit's work in the background (the worker filling
  // its cache and compiling the page's script for it) is over by then.
  await page.waitForTimeout(SettleMs);
  const later = await context.newPage();
  const laterMs = await visit(later, url);
  await context.close();
  return { firstMs, laterMs, firstBytes };
}

// The running machine's step count, from the loop's copies of AL and BL.
function stepsSoFar(page) {
  return page.evaluate(() => {
    const ram = window.corvane.session.Ram();
    const passes = ram[0xa1] * 256 + ram[0xa0];
    return { steps: 4 * passes + 3 * ram[0xa1], at: performance.now() };
  });
}

async function mainThreadBusySeconds(cdp) {
  const { metrics } = await cdp.send('Performance.getMetrics');
  return metrics.find((metric) => metric.name === 'TaskDuration').value;
}

async function runningFigures(browser, url, seconds) {
  const context = await browser.newContext();
  const page = await context.newPage();
  await visit(page, url);
  const cdp = await context.newCDPSession(page);
  await cdp.send('Performance.enable');
  const student = new Student(page);
  await student.typeProgram(CountingLoop);
  await student.chooseFastestClock();
  await student.writeRunLog();
  await student.click('Assemble');
  await student.click('Show Ram');
  await student.click('SHOW VDU SCREEN');
  await student.click('Run F9');
  await page.waitForFunction(() => window.corvane.session.Ram()[0xa0] > 0);
  const start = await stepsSoFar(page);
  const busyAtStart = await mainThreadBusySeconds(cdp);
  await page.waitForTimeout(seconds * 1000);
  const end = await stepsSoFar(page);
  const busy = (await mainThreadBusySeconds(cdp)) - busyAtStart;
  await student.click('STOP');
  await context.close();
  const elapsedSeconds = (end.at - start.at) / 1000;
  return {
    stepsPerSecond: (end.steps - start.steps) / elapsedSeconds,
    busyShare: busy / elapsedSeconds,
  };
}

function print(label, value, goal) {
  console.log(`${label.padEnd(44)} ${value.padStart(12)}   (goal ${goal})`);
}

const server = await startServer();
const browser = await launchBrowser();
try {
  const loading = await loadingFigures(browser, server.url);
  const seconds = secondsOption();
  const running = await runningFigures(browser, server.url, seconds);
  print('first visit to a usable page', `${loading.firstMs.toFixed(0)} ms`, '< 1000 ms');
  print('later visit, cached', `${loading.laterMs.toFixed(0)} ms`, '< 300 ms');
  print('first visit transferred', `${(loading.firstBytes / 1024).toFixed(0)} KB`, '< 1536 KB');
  print('whole site gzipped', `${(siteGzipBytes() / 1024).toFixed(0)} KB`, '< 1536 KB');
  print(
    `steps a second at ${ClockMs} ms, over ${seconds} s`,
    `${running.stepsPerSecond.toFixed(1)}`,
    `>= ${0.99 * StepsPerSecondGoal}`,
  );
  print('main thread busy', `${(100 * running.busyShare).toFixed(1)} %`, '<= 50 %');
} finally {
  await browser.close();
  await server.stop();
}
