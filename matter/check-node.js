// SPDX-License-Identifier: GPL-3.0-or-later
// Exits 0 where this Node runs ardentia-matter (matter.js needs 20.19 or
// newer), else says why and exits 1. Plain old JavaScript: it runs on any Node.
var parts = process.versions.node.split('.').map(Number);
if (parts[0] > 20 || (parts[0] === 20 && parts[1] >= 19)) process.exit(0);
console.log('Node ' + process.versions.node + ' is older than 20.19');
process.exit(1);
