// A describe block whose tests each get a fresh page, on one server and browser for the block.
// After each test the page is closed, and it must not have thrown.
import assert from 'node:assert/strict';
import { after, afterEach, before, beforeEach } from 'node:test';

import { openPage, sharedSite } from './site.mjs';
import { Student } from './student.mjs';

// opened(page, student) hands the test's page and a student at it to the block.
export function pageEachTest(opened) {
  const site = sharedSite();
  let current;
  before(() => site.start());
  after(() => site.stop());
  beforeEach(async () => {
    current = await openPage(site.browser, site.url);
    opened(current.page, new Student(current.page));
  });
  afterEach(async () => {
    await current.context.close();
    assert.deepEqual(current.failures, [], 'the page threw no error');
  });
}
