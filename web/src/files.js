// Sources between the page and the disk: a file picker or a dropped file to open, the
// browser's file saving where it has it and a download where not, the built-in examples.
import { editorTextOfFileBytes, refusalOfSourceFile, savedBytesOfEditorText } from './latin1.js';

const SourceTypes = [{ description: 'Assembly source', accept: { 'text/plain': ['.asm', '.ASM', '.txt'] } }];

// {name, text} of a file the student picked, or {error}.
export async function readSourceFile(file) {
  const bytes = new Uint8Array(await file.arrayBuffer());
  const error = refusalOfSourceFile(file.name, bytes);
  return error ? { error } : { name: file.name, text: editorTextOfFileBytes(bytes) };
}

export function pickFile() {
  return new Promise((resolve) => {
    const input = document.createElement('input');
    input.type = 'file';
    input.accept = '.asm,.ASM,.txt,text/plain';
    input.addEventListener('change', () => resolve(input.files[0] ?? null));
    input.addEventListener('cancel', () => resolve(null));
    input.click();
  });
}

// Saves through the handle the file was picked or saved with before, if the browser gave
// one; false when the student cancelled.
export async function saveSource(text, { name, handle, askName }) {
  const bytes = savedBytesOfEditorText(text);
  if (!window.showSaveFilePicker) {
    download(bytes, name);
    return { name, handle: null };
  }
  let target = askName ? null : handle;
  if (!target) {
    try {
      target = await window.showSaveFilePicker({ suggestedName: name, types: SourceTypes });
    } catch (e) {
      if (e.name === 'AbortError') return null;
      throw e;
    }
  }
  const stream = await target.createWritable();
  await stream.write(bytes);
  await stream.close();
  return { name: target.name, handle: target };
}

function download(bytes, name) {
  const url = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
  const link = document.createElement('a');
  link.href = url;
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 1000);
}

export async function fetchExample(fileName) {
  const response = await fetch(`examples/${fileName}`);
  if (!response.ok) throw new Error(`${fileName} could not be loaded.`);
  return editorTextOfFileBytes(new Uint8Array(await response.arrayBuffer()));
}

// A file dropped anywhere on the page opens as the source.
export function takeDroppedFiles(target, open) {
  target.addEventListener('dragover', (e) => {
    if (e.dataTransfer?.types.includes('Files')) e.preventDefault();
  });
  target.addEventListener('drop', (e) => {
    const file = e.dataTransfer?.files[0];
    if (file) {
      e.preventDefault();
      open(file);
    }
  });
}
