// Opening, editing, saving and printing sources: bytes stay bytes (Latin-1 in, CR LF written
// out), bad input gets a message without losing the student's work, and a print has the
// chosen text alone on its sheet.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { describe, test } from 'node:test';

import { pageEachTest } from './support/pageEachTest.mjs';
import { eventually } from './support/wait.mjs';

// A source with a letter beyond ASCII (é, E9) in a comment and CR LF line ends.
const LatinBytes = Buffer.from('; caf\xe9 counter\r\n\tMOV\tAL,07\r\n\tEND\r\n', 'latin1');
const AddedLine = '; more';
const SavedBytes = Buffer.concat([LatinBytes, Buffer.from(`${AddedLine}\r\n`, 'latin1')]);
const Typed = '\tMOV\tDL,01\n\tEND\n';

const OpenButton = 'FILE OPEN CTRL+O';
const SaveButton = 'FILE SAVE CTRL+S';

const sourceFile = (name, buffer) => ({ name, mimeType: 'text/plain', buffer });

// A file with NUL and other control bytes in it, as a program or picture has.
const BinaryFile = sourceFile('picture.asm', Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00]));
// Plain text, but a byte more than the assembler reads.
const LargeFile = sourceFile('large.asm', Buffer.alloc(32 * 1024 + 1, '; a comment line\r\n'));

describe('files', () => {
  let page;
  let student;
  pageEachTest((opened, at) => {
    page = opened;
    student = at;
  });

  // With unsaved changes the page asks first; `answer` is the student's reply.
  async function openWithChooser(file, answer) {
    const chooser = page.waitForEvent('filechooser');
    await student.click(OpenButton);
    if (answer) {
      await page.getByRole('dialog', { name: 'Question' }).getByRole('button', { name: answer }).click();
    }
    await (await chooser).setFiles(file);
  }

  // Drops the file on the editor as the browser does: enter, over, drop, with its bytes.
  async function dropFile({ name, buffer }) {
    const transfer = await page.evaluateHandle(
      ({ name, bytes }) => {
        const data = new DataTransfer();
        data.items.add(new File([new Uint8Array(bytes)], name));
        return data;
      },
      { name, bytes: Array.from(buffer) },
    );
    for (const type of ['dragenter', 'dragover', 'drop']) {
      await student.editor.dispatchEvent(type, { dataTransfer: transfer });
    }
  }

  async function savedByDownload() {
    const download = page.waitForEvent('download');
    await student.click(SaveButton);
    return readFileSync(await (await download).path());
  }

  // The browser's save picker, standing in for the one a student answers: what it was
  // asked for and the bytes written through it.
  async function savedThroughPicker() {
    await page.evaluate(() => {
      window.pickerSaves = [];
      window.showSaveFilePicker = async ({ suggestedName }) => ({
        name: suggestedName,
        createWritable: async () => {
          const parts = [];
          return {
            write: async (bytes) => parts.push(...bytes),
            close: async () => window.pickerSaves.push({ suggestedName, bytes: parts }),
          };
        },
      });
    });
    await student.click(SaveButton);
    const [saved] = await eventually(() => page.evaluate(() => window.pickerSaves), (s) => s.length === 1);
    return { name: saved.suggestedName, bytes: Buffer.from(saved.bytes) };
  }

  const opens = { 'the file chooser': openWithChooser, 'a drop': dropFile };

  for (const [how, open] of Object.entries(opens)) {
    test(`opens a Latin-1 file with ${how}, edits it and downloads its bytes`, async () => {
      await page.evaluate(() => delete window.showSaveFilePicker);
      await open(sourceFile('cafe.asm', LatinBytes));
      await eventually(() => student.editorText(), (text) => text.includes('café'), 'the file');
      await student.typeAtEnd(AddedLine);
      assert.deepEqual(await savedByDownload(), SavedBytes);
    });
  }

  test("saves through the browser's save picker where it has one", async () => {
    await openWithChooser(sourceFile('cafe.asm', LatinBytes));
    await eventually(() => student.editorText(), (text) => text.includes('café'), 'the file');
    await student.typeAtEnd(AddedLine);
    assert.deepEqual(await savedThroughPicker(), { name: 'cafe.asm', bytes: SavedBytes });
  });

  const refusals = [
    [BinaryFile, 'picture.asm is a binary file, not a source file.'],
    [LargeFile, 'large.asm is larger than 32 KB and is not a source this machine can hold.'],
  ];
  for (const [file, message] of refusals) {
    for (const [how, open] of Object.entries(opens)) {
      test(`refuses ${file.name} opened with ${how}, keeping the typed program`, async () => {
        await student.typeProgram(Typed);
        await open(file, 'No');
        assert.equal(await student.dismissMessage('Error'), message);
        assert.equal(await student.editorText(), Typed);
        await student.click('Assemble');
        await student.click('Step');
        await student.expectRegister('DL', '01');
      });
    }
  }

  test('asks before the page is left with unsaved changes, and not after saving', async () => {
    await page.evaluate(() => delete window.showSaveFilePicker);
    await student.typeProgram(Typed);
    const question = page.waitForEvent('dialog');
    await page.close({ runBeforeUnload: true });
    const dialog = await question;
    assert.equal(dialog.type(), 'beforeunload');
    await dialog.dismiss();
    assert.equal(page.isClosed(), false, 'the page stays when the student says so');
    await savedByDownload();
    await page.close({ runBeforeUnload: true });
    await eventually(() => page.isClosed(), (closed) => closed, 'the page closed');
  });

  // What the browser would print: the print sheet's text, taken when the page calls print().
  async function printed(menuItem) {
    await page.evaluate(() => {
      delete window.printedText;
      window.print = () => {
        window.printedText = document.querySelector('.print-sheet').textContent;
      };
    });
    await page.getByRole('menuitem', { name: 'File' }).click();
    await page.getByRole('menuitem', { name: menuItem }).click();
    return page.evaluate(() => window.printedText);
  }

  test('prints the source code and the list file, and says when there is nothing', async () => {
    await student.typeProgram(Typed);
    assert.equal(await printed('Print Source Code'), Typed);
    await student.click('Assemble');
    const list = await page.locator('pre[aria-label="List File"]').textContent();
    assert.match(list, /^; LIST FILE : SUCCESS/);
    assert.equal(await printed('Print List File'), list);

    await student.typeProgram('\n');
    assert.equal(await printed('Print Source Code'), undefined);
    assert.equal(await student.dismissMessage('Information'), 'There is nothing to print.');
  });

  test("the browser's own print shows the source code alone", async () => {
    await student.typeProgram(Typed);
    await page.evaluate(() => window.dispatchEvent(new Event('beforeprint')));
    await page.emulateMedia({ media: 'print' });
    const sheet = page.locator('.print-sheet');
    assert.equal(await sheet.textContent(), Typed);
    assert.ok(await sheet.isVisible());
    assert.equal(await page.locator('#workbench').isVisible(), false);
  });
});
