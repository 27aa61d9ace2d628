// The two file formats the browser tests compare against: kestrova-sim's
// PNG pages and the game's wave.
import zlib from "node:zlib";

const kPngSignature = Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]);
const kChannels = { 2: 3, 6: 4 };  // colour type: truecolour, truecolour with alpha

function paeth(a, b, c) {
  const p = a + b - c;
  const pa = Math.abs(p - a);
  const pb = Math.abs(p - b);
  const pc = Math.abs(p - c);
  return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// An 8-bit, non-interlaced truecolour PNG as RGB bytes, rows top to bottom.
export function readPngRgb(file) {
  if (!file.subarray(0, 8).equals(kPngSignature)) throw new Error("not a PNG file");
  let header = null;
  const compressed = [];
  for (let at = 8; at + 8 <= file.length;) {
    const length = file.readUInt32BE(at);
    const type = file.toString("latin1", at + 4, at + 8);
    const body = file.subarray(at + 8, at + 8 + length);
    if (type === "IHDR") {
      header = { width: body.readUInt32BE(0), height: body.readUInt32BE(4), depth: body[8], colour: body[9],
                 interlace: body[12] };
    }
    if (type === "IDAT") compressed.push(body);
    at += 12 + length;
  }
  if (!header || header.depth !== 8 || !kChannels[header.colour] || header.interlace !== 0) {
    throw new Error("not an 8-bit non-interlaced truecolour PNG");
  }
  const channels = kChannels[header.colour];
  const stride = header.width * channels;
  const raw = zlib.inflateSync(Buffer.concat(compressed));
  const rows = Buffer.alloc(stride * header.height);
  for (let y = 0; y < header.height; ++y) {
    const filter = raw[y * (stride + 1)];
    const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    const out = rows.subarray(y * stride, (y + 1) * stride);
    const up = y > 0 ? rows.subarray((y - 1) * stride, y * stride) : Buffer.alloc(stride);
    for (let i = 0; i < stride; ++i) {
      const left = i >= channels ? out[i - channels] : 0;
      const upLeft = i >= channels ? up[i - channels] : 0;
      const predictor = [0, left, up[i], (left + up[i]) >> 1, paeth(left, up[i], upLeft)][filter];
      if (predictor === undefined) throw new Error(`PNG filter ${filter}`);
      out[i] = (line[i] + predictor) & 0xff;
    }
  }
  const rgb = Buffer.alloc(header.width * header.height * 3);
  for (let i = 0; i < header.width * header.height; ++i) rows.copy(rgb, 3 * i, channels * i, channels * i + 3);
  return rgb;
}

// The "fmt " fields and the "data" chunk of a RIFF wave.
export function waveDataChunk(file) {
  if (file.toString("latin1", 0, 4) !== "RIFF" || file.toString("latin1", 8, 12) !== "WAVE") {
    throw new Error("not a wave file");
  }
  const wave = {};
  for (let at = 12; at + 8 <= file.length;) {
    const length = file.readUInt32LE(at + 4);
    const body = file.subarray(at + 8, at + 8 + length);
    const type = file.toString("latin1", at, at + 4);
    if (type === "fmt ") {
      Object.assign(wave, { format: body.readUInt16LE(0), channels: body.readUInt16LE(2), rate: body.readUInt32LE(4),
                            bits: body.readUInt16LE(14) });
    }
    if (type === "data") wave.data = body;
    at += 8 + length + (length & 1);
  }
  if (!wave.data || wave.format === undefined) throw new Error("a wave without its fmt or data chunk");
  return wave;
}
