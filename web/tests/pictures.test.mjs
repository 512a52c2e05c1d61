// The device pictures' cases that the workbench's window test reads too
// (tests/pictures/picture-cases.json), drawn in the page by PictureCanvas.js from the
// engine's descriptions; clicks go through the pictures' hot areas.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import path from 'node:path';

import { RepositoryRoot, openPage, sharedSite } from './support/site.mjs';

const { cases } = JSON.parse(
  readFileSync(path.join(RepositoryRoot, 'tests', 'pictures', 'picture-cases.json'), 'latin1'),
);
const CanvasModule = readFileSync(
  path.join(RepositoryRoot, 'web', 'src', 'pictures', 'PictureCanvas.js'),
  'utf8',
);

const site = sharedSite();
let page;
before(async () => {
  await site.start();
  ({ page } = await openPage(site.browser, site.url));
  await page.addScriptTag({
    type: 'module',
    content: `${CanvasModule}\nwindow.pictureCanvas = { PictureCanvas, hitArea };`,
  });
  await page.waitForFunction(() => Boolean(window.pictureCanvas));
});
after(() => site.stop());

// Runs a case in a session of its own and reads the drawn picture's colours at its points.
function coloursOf(c) {
  return page.evaluate(async ({ device, program, steps, clicks, points }) => {
    const { PictureCanvas, hitArea } = window.pictureCanvas;
    const session = new window.corvane.session.constructor();
    session.SetSource(program);
    session.ButtonAssembleClick();
    for (let i = 0; i < steps; i++) session.ButtonStepClick();
    for (const [x, y] of clicks) {
      const action = hitArea(session.DevicePicture(device), x, y);
      if (action !== null) session.DeviceAction(device, action);
    }
    const picture = session.DevicePicture(device);
    session.delete();
    const painter = new PictureCanvas();
    const canvas = document.createElement('canvas');
    painter.draw(canvas, picture);
    await document.fonts.ready;
    const ctx = canvas.getContext('2d');
    const hex = (v) => v.toString(16).padStart(2, '0').toUpperCase();
    return points.map(({ x, y }) => {
      const [r, g, b] = ctx.getImageData(x, y, 1, 1).data;
      return `#${hex(r)}${hex(g)}${hex(b)}`;
    });
  }, c);
}

for (const c of cases) {
  test(`picture case: ${c.name}`, async () => {
    const colours = await coloursOf(c);
    c.points.forEach(({ x, y, colour }, i) => {
      assert.equal(colours[i], colour.toUpperCase(), `${c.device} at ${x},${y}`);
    });
  });
}

test('a click finds the hot area under its pixel, and none below the picture', async () => {
  const actions = await page.evaluate(() => {
    const { hitArea } = window.pictureCanvas;
    const picture = window.corvane.session.DevicePicture('Heater');
    return [hitArea(picture, 170.5, 74.9), hitArea(picture, 170, 74), hitArea(picture, 170, 210)];
  });
  assert.equal(typeof actions[0], 'number');
  assert.equal(actions[0], actions[1], 'a point within a pixel is that pixel');
  assert.equal(actions[2], null);
});
