// The native command-line front end, the reference the page's results are held against.

import { execFileSync } from 'node:child_process';
import { mkdtempSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';

import { RepositoryRoot } from './site.mjs';

export const CliPath = path.join(RepositoryRoot, 'build', 'cli', 'corvane-cli');

const scratch = mkdtempSync(path.join(tmpdir(), 'corvane-web-tests-'));

// What `corvane-cli run FILE --max-steps N --ram` prints, at the page's clocks: registers,
// status, steps, how the run ended and RAM. A program error ends the run with exit code 3,
// and is a result too.
export function cliRunReport(source, { steps, clockMs, hwTimerMs }, name = 'program.asm') {
  const file = writeSource(source, name);
  const options = ['--max-steps', steps, '--clock', clockMs, '--hw-timer', hwTimerMs];
  try {
    return execFileSync(CliPath, ['run', file, '--ram', ...options.map(String)], {
      encoding: 'latin1',
    });
  } catch (failure) {
    if (failure.status === 3) {
      return failure.stdout;
    }
    throw failure;
  }
}

// What `corvane-cli assemble FILE` (the list file) or `corvane-cli tokens FILE` prints; an
// assembly error is a result too.
export function cliText(subcommand, source) {
  try {
    return execFileSync(CliPath, [subcommand, writeSource(source, 'listed.asm')], { encoding: 'latin1' });
  } catch (failure) {
    if (failure.status === 1) {
      return failure.stdout;
    }
    throw failure;
  }
}

// The source saved as the workbench saves it: Latin-1 with CR LF line ends.
function writeSource(source, name) {
  const file = path.join(scratch, name);
  writeFileSync(file, Buffer.from(source.replaceAll('\n', '\r\n'), 'latin1'));
  return file;
}

// The report's parts by their heads: registers by name, STATUS, STEPS, ENDED, and the RAM
// lines ("00: D0 00 ...") as one list.
export function parseRunReport(text) {
  const report = { registers: {}, ram: [] };
  for (const line of text.split('\n').filter(Boolean)) {
    const [head, ...rest] = line.split(' ');
    if (/^[0-9A-F]{2}:$/.test(head)) {
      report.ram.push(line);
    } else if (/^(AL|BL|CL|DL|IP|SP|SR)$/.test(head)) {
      report.registers[head] = line;
    } else {
      report[head] = rest.join(' ');
    }
  }
  return report;
}

// RAM as the report prints it: sixteen lines of "00: D0 00 ...".
export function ramLines(bytes) {
  const hex = (value) => value.toString(16).toUpperCase().padStart(2, '0');
  const lines = [];
  for (let row = 0; row < 256; row += 16) {
    const cells = Array.from(bytes.slice(row, row + 16), hex);
    lines.push(`${hex(row)}: ${cells.join(' ')}`);
  }
  return lines;
}
