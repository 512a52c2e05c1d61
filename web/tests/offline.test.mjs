// How the page loads: after one visit it works with no network and the browser can install it
// as an app, it never fetches from outside the site, and it starts on a server that does not
// know WebAssembly's type.

import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, before, test } from 'node:test';

import { chromium } from 'playwright-core';

import { openPage, sharedSite, SiteRoot, waitForEngine } from './support/site.mjs';
import { Student } from './support/student.mjs';

const site = sharedSite();
before(() => site.start());
after(() => site.stop());

test('reloads and runs a program with the network gone', async () => {
  const { context, page } = await openPage(site.browser, site.url);
  const fetched = [];
  context.on('request', (request) => fetched.push(request.url()));
  // The service worker has taken the page over once it has cached the site.
  await page.waitForFunction(() => navigator.serviceWorker?.controller, null, { timeout: 10000 });
  await context.setOffline(true);
  await page.reload();
  await waitForEngine(page);
  const student = new Student(page);
  await student.typeProgram('\tMOV\tBL,2A\n\tEND\n');
  await student.click('Assemble');
  await student.click('Step');
  await student.expectRegister('BL', '2A');
  const outside = fetched.filter(
    (url) => !url.startsWith(site.url) && !/^(data|blob):/.test(url),
  );
  assert.deepEqual(outside, []);
  await context.close();
});

// A private window can never install; an ordinary profile is what a student has.
test('the browser can install the page as an app', async () => {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'corvane-profile-'));
  const context = await chromium.launchPersistentContext(profile, { executablePath: '/usr/bin/chromium' });
  const page = await context.newPage();
  await page.goto(site.url);
  await waitForEngine(page);
  await page.evaluate(() => navigator.serviceWorker.ready);
  const cdp = await context.newCDPSession(page);
  const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
  assert.deepEqual(installabilityErrors, []);
  await context.close();
  fs.rmSync(profile, { recursive: true, force: true });
});

test('starts when the server sends the engine as plain bytes', async () => {
  const context = await site.browser.newContext({ serviceWorkers: 'block' });
  const page = await context.newPage();
  const wasm = fs.readFileSync(path.join(SiteRoot, 'engine', 'corvane-engine.wasm'));
  await page.route('**/engine/corvane-engine.wasm', (route) =>
    route.fulfill({ body: wasm, contentType: 'application/octet-stream' }),
  );
  await page.goto(site.url);
  await waitForEngine(page);
  const student = new Student(page);
  await student.typeProgram('\tMOV\tCL,7\n\tEND\n');
  await student.click('Assemble');
  await student.click('Step');
  await student.expectRegister('CL', '07');
  await context.close();
});

test('says why when the engine cannot be loaded', async () => {
  const context = await site.browser.newContext({ serviceWorkers: 'block' });
  const page = await context.newPage();
  await page.route('**/engine/corvane-engine.wasm', (route) => route.fulfill({ status: 404 }));
  await page.goto(site.url);
  await page.getByText('Corvane could not start: engine/corvane-engine.wasm: 404').waitFor();
  await context.close();
});
