// Random programs that assemble and run to a HALT (or to the maze's edge, for port 04 moves
// the snake): counted loops of arithmetic, moves, compares, stack pairs and skipped
// instructions, each pass sending AL to an output port.
// The same seed always gives the same program, so a failure can be run again.

// A small fast generator of numbers in [0, 1) from a 32-bit seed.
function seededRandom(seed) {
  let state = seed >>> 0;
  return () => {
    state = (state + 0x6d2b79f5) >>> 0;
    let mixed = Math.imul(state ^ (state >>> 15), state | 1);
    mixed ^= mixed + Math.imul(mixed ^ (mixed >>> 7), mixed | 61);
    return ((mixed ^ (mixed >>> 14)) >>> 0) / 4294967296;
  };
}

const hex = (value) => value.toString(16).toUpperCase().padStart(2, '0');

// CL counts the passes, so the body works on the other three.
const Registers = ['AL', 'BL', 'DL'];
const TwoRegisterOps = ['ADD', 'SUB', 'MUL', 'AND', 'OR', 'XOR', 'CMP'];
const NumberOps = ['ADD', 'SUB', 'MUL', 'AND', 'OR', 'XOR', 'CMP', 'MOV'];
const OneRegisterOps = ['INC', 'DEC', 'NOT', 'ROL', 'ROR', 'SHL', 'SHR'];
const Conditions = ['JZ', 'JNZ', 'JS', 'JNS', 'JO', 'JNO'];
// Output only: no port here is read back, so the devices' timing cannot change a result.
const OutputPorts = ['01', '02', '04', '05', '06'];

class Writer {
  constructor(seed) {
    this.random = seededRandom(seed);
    this.lines = [`; generated program, seed ${seed}`];
    this.skips = 0;
  }

  below(count) {
    return Math.floor(this.random() * count);
  }

  pick(list) {
    return list[this.below(list.length)];
  }

  // A data cell away from the code and the stack: A0..AF, or the VDU's C0..FF.
  dataCell() {
    return this.random() < 0.5 ? 0xa0 + this.below(16) : 0xc0 + this.below(64);
  }

  emit(texts) {
    for (const text of [texts].flat()) {
      this.lines.push(`\t${text}`);
    }
  }

  // One instruction, or a pair that belongs together, as lines.
  instruction() {
    const register = this.pick(Registers);
    switch (this.below(8)) {
      case 0:
        return `${this.pick(TwoRegisterOps)}\t${register},${this.pick(Registers)}`;
      case 1:
        return `${this.pick(NumberOps)}\t${register},${hex(this.below(256))}`;
      case 2:
        return `${this.pick(['DIV', 'MOD'])}\t${register},${hex(1 + this.below(255))}`;
      case 3:
        return `${this.pick(OneRegisterOps)}\t${register}`;
      case 4:
        return `MOV\t[${hex(this.dataCell())}],${register}`;
      case 5:
        return `${this.pick(['MOV', 'CMP'])}\t${register},[${hex(this.dataCell())}]`;
      case 6:
        return [`PUSH\t${register}`, `POP\t${this.pick(Registers)}`];
      default:
        return this.pick([['NOP'], ['PUSHF', 'POPF']]);
    }
  }

  // An instruction that a condition on the flags of the one before may jump over.
  skippable() {
    const label = `Skip${this.skips++}`;
    this.emit(`${this.pick(Conditions)}\t${label}`);
    this.emit(this.instruction());
    this.lines.push(`${label}:`);
  }

  loop(index) {
    this.emit(`MOV\tCL,${hex(2 + this.below(12))}`);
    this.lines.push(`Loop${index}:`);
    const length = 2 + this.below(5);
    for (let i = 0; i < length; ++i) {
      if (this.random() < 0.2) {
        this.skippable();
      } else {
        this.emit(this.instruction());
      }
    }
    this.emit(`OUT\t${this.pick(OutputPorts)}`);
    if (this.random() < 0.3) {
      this.emit('CALL\t80');
    }
    this.emit('DEC\tCL');
    this.emit(`JNZ\tLoop${index}`);
  }

  // The procedure some loops call, kept apart from the code at 80.
  procedure() {
    this.emit('ORG\t80');
    this.emit('PUSH\tAL');
    this.emit(this.instruction());
    this.emit(`MOV\t[${hex(this.dataCell())}],AL`);
    this.emit('POP\tAL');
    this.emit('RET');
  }
}

// The program's text with "\n" line ends, as the page's editor holds it.
export function generatedProgram(seed) {
  const writer = new Writer(seed);
  const loops = 1 + writer.below(3);
  for (let i = 0; i < loops; ++i) {
    writer.loop(i);
  }
  writer.emit('HALT');
  writer.procedure();
  writer.emit('END');
  return writer.lines.join('\n') + '\n';
}
