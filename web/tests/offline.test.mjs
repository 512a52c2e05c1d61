// After one visit the page works with no network, and it never fetches from outside the site.

import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import { openPage, sharedSite, waitForEngine } from './support/site.mjs';
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
