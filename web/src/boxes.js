// The message boxes and the beep: a box shows over the page until OK is pressed; boxes that
// come while one is open wait their turn.

const waiting = [];
let dialog = null;

function box() {
  if (dialog) return dialog;
  dialog = document.createElement('dialog');
  dialog.className = 'message-box';
  dialog.innerHTML = '<p class="message-text"></p><form method="dialog"><button>OK</button></form>';
  dialog.addEventListener('close', () => {
    if (waiting.length) open(waiting.shift());
  });
  document.body.append(dialog);
  return dialog;
}

function open({ text, icon }) {
  const d = box();
  d.dataset.icon = icon;
  d.setAttribute('aria-label', icon);
  d.querySelector('.message-text').textContent = text;
  d.showModal();
}

// Whether a message box or a question is waiting for an answer.
export function boxOpen() {
  return document.querySelector('dialog.message-box[open]') !== null;
}

export function showMessage(text, icon) {
  if (box().open) waiting.push({ text, icon });
  else open({ text, icon });
}

let sound = null;

export function beep() {
  try {
    sound ??= new AudioContext();
    const tone = sound.createOscillator();
    const volume = sound.createGain();
    volume.gain.value = 0.1;
    tone.frequency.value = 880;
    tone.connect(volume).connect(sound.destination);
    tone.start();
    tone.stop(sound.currentTime + 0.1);
  } catch {
    // A page without sound only stays silent.
  }
}

// A question with Yes, No and Cancel; the answer's caption, "Cancel" when the box is closed
// with Escape.
export function ask(question) {
  const d = document.createElement('dialog');
  d.className = 'message-box';
  d.setAttribute('aria-label', 'Question');
  const text = document.createElement('p');
  text.className = 'message-text';
  text.textContent = question;
  const form = document.createElement('form');
  form.method = 'dialog';
  for (const answer of ['Yes', 'No', 'Cancel']) {
    const button = document.createElement('button');
    button.value = answer;
    button.textContent = answer;
    form.append(button);
  }
  d.append(text, form);
  document.body.append(d);
  d.showModal();
  return new Promise((resolve) => {
    d.addEventListener('close', () => {
      d.remove();
      resolve(d.returnValue || 'Cancel');
    });
  });
}
