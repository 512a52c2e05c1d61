// The real time the page hands the session at each shown frame. The session counts whole
// milliseconds, and frames come every 33.3 ms: the fraction is carried to the next frame
// rather than dropped, or the machine would lose a step in a hundred at the 2 ms clock.
export class FrameClock {
  constructor(now) {
    this.last = now;
  }

  sinceLast(now) {
    return Math.max(now - this.last, 0);
  }

  // Whole milliseconds since the last take; after the page slept, no more than longest.
  take(now, longest) {
    const whole = Math.floor(this.sinceLast(now));
    if (whole > longest) {
      this.last = now;
      return longest;
    }
    this.last += whole;
    return whole;
  }
}
