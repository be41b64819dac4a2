// Converts a UTF-8 file line by line with one of the two leading npm pinyin
// packages, toneless, the way the filter `pinyin` converts it, and prints the
// conversion's throughput in MB/s of input (the best of RUNS runs). Reading
// the file and starting Node are not counted, which favours the peers.
//
// Usage: node peers.mjs MODULES-FOLDER pinyin-pro|pinyin FILE [RUNS]
import { readFileSync, writeFileSync } from "node:fs";
import { createRequire } from "node:module";
import { resolve } from "node:path";

const [, , modules, peer, file, runs = "3"] = process.argv;
const require = createRequire(resolve(modules, "node_modules") + "/");

function converterFor(name) {
  if (name === "pinyin-pro") {
    const { pinyin } = require("pinyin-pro");
    return (line) => pinyin(line, { toneType: "none" });
  }
  if (name === "pinyin") {
    const module = require("pinyin");
    const pinyin = module.default ?? module;
    return (line) =>
      pinyin(line, { style: pinyin.STYLE_NORMAL })
        .map((readings) => readings[0])
        .join(" ");
  }
  throw new Error(`unknown peer ${name}`);
}

const convert = converterFor(peer);
const text = readFileSync(file, "utf8");
const bytes = Buffer.byteLength(text, "utf8");
const lines = text.split("\n");

let best = Infinity;
for (let run = 0; run < Number(runs); ++run) {
  const start = process.hrtime.bigint();
  const out = lines.map(convert).join("\n");
  writeFileSync("/dev/null", out);
  const seconds = Number(process.hrtime.bigint() - start) / 1e9;
  best = Math.min(best, seconds);
}
process.stdout.write(`${(bytes / 1e6 / best).toFixed(2)}\n`);
