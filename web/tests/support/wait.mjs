// Waiting for what the page will show, never for a fixed time.

import assert from 'node:assert/strict';
import { setTimeout as delay } from 'node:timers/promises';

const PollMs = 20;
const PatienceMs = 10000;

// Reads again and again until `accept` takes the value; fails with the last one read.
export async function eventually(read, accept, what = 'the expected value') {
  const giveUp = Date.now() + PatienceMs;
  let value;
  for (;;) {
    value = await read();
    if (accept(value)) {
      return value;
    }
    if (Date.now() > giveUp) {
      assert.fail(`waited for ${what}; last seen: ${JSON.stringify(value)}`);
    }
    await delay(PollMs);
  }
}
