// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
// node validate.mjs BOM.json: checks a CycloneDX 1.5 JSON document against
// the schema that the CycloneDX library ships, strictly.
import { readFileSync } from 'node:fs';
import { Validation } from '@cyclonedx/cyclonedx-library';

const validator = new Validation.JsonStrictValidator('1.5');
const errors = await validator.validate(readFileSync(process.argv[2], 'utf8'));
if (errors !== null) {
    console.error(JSON.stringify(errors, null, 2));
    process.exit(1);
}
console.log(`${process.argv[2]}: valid CycloneDX 1.5`);
