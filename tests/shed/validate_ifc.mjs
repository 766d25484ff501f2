// Reads IFC files with web-ifc, an IFC reader independent of the writer; fails on any fault.
// node validate_ifc.mjs WEB_IFC_DIR MANIFEST.json
// The manifest lists {file, members, bounds: [min x, y, z, max x, y, z]}: the member count
// and the model's bounds in metres, Y up (web-ifc's frame, and the model's).
import { createRequire } from 'module';
import { readFileSync } from 'fs';
import path from 'path';

const [webIfcDir, manifestFile] = process.argv.slice(2);
const require = createRequire(path.join(path.resolve(webIfcDir), 'package.json'));
const WebIFC = require('web-ifc');
const api = new WebIFC.IfcAPI();
api.SetWasmPath(path.resolve(webIfcDir) + '/', true);
await api.Init();

const manifest = JSON.parse(readFileSync(manifestFile, 'utf8'));
let failed = 0;
for (const { file, members, bounds } of manifest) {
    const faults = [];
    const id = api.OpenModel(new Uint8Array(readFileSync(file)));
    if (api.GetModelSchema(id) !== 'IFC4')
        faults.push(`schema ${api.GetModelSchema(id)}`);
    // Every line is read through the schema's own constructor for its entity; every
    // GlobalId is 22 characters of IFC's base 64 (the first of 2 bits) and unique.
    const lines = api.GetAllLines(id);
    const guids = new Set();
    for (let i = 0; i < lines.size(); ++i) {
        try {
            const guid = api.GetLine(id, lines.get(i)).GlobalId?.value;
            if (guid !== undefined && (!/^[0-3][0-9A-Za-z_$]{21}$/.test(guid) || guids.has(guid)))
                faults.push(`#${lines.get(i)} has the GlobalId ${guid}, malformed or taken`);
            guids.add(guid);
        } catch (e) {
            faults.push(`#${lines.get(i)} does not read: ${e.message}`);
        }
    }
    const ids = api.GetLineIDsWithType(id, WebIFC.IFCELEMENT, true);
    const elements = new Set();
    for (let i = 0; i < ids.size(); ++i)
        elements.add(ids.get(i));
    if (elements.size !== members)
        faults.push(`${elements.size} elements for ${members} members`);

    // Pset_Corvelle on each element, with the four values.
    const withPset = new Set();
    const rels = api.GetLineIDsWithType(id, WebIFC.IFCRELDEFINESBYPROPERTIES);
    for (let i = 0; i < rels.size(); ++i) {
        const rel = api.GetLine(id, rels.get(i));
        const set = api.GetLine(id, rel.RelatingPropertyDefinition.value, true);
        if (set.Name?.value !== 'Pset_Corvelle')
            continue;
        const names = set.HasProperties.filter(p => p.NominalValue?.value !== undefined).map(p => p.Name.value).sort();
        if (names.join() !== 'Kind,Layer,LengthIn,Stock') {
            faults.push(`Pset_Corvelle #${set.expressID} holds ${names.join()}`);
            continue;
        }
        for (const o of rel.RelatedObjects)
            withPset.add(o.value);
    }
    const missing = [...elements].filter(e => !withPset.has(e));
    if (missing.length)
        faults.push(`${missing.length} elements without Pset_Corvelle, #${missing[0]} first`);

    // Every element has a body with triangles, and all lie within the model's bounds.
    const shaped = new Set();
    const lo = [Infinity, Infinity, Infinity], hi = [-Infinity, -Infinity, -Infinity];
    api.StreamAllMeshes(id, mesh => {
        let triangles = 0;
        for (let g = 0; g < mesh.geometries.size(); ++g) {
            const placed = mesh.geometries.get(g);
            const geometry = api.GetGeometry(id, placed.geometryExpressID);
            const v = api.GetVertexArray(geometry.GetVertexData(), geometry.GetVertexDataSize());
            triangles += geometry.GetIndexDataSize() / 3;
            const m = placed.flatTransformation;
            for (let k = 0; k < v.length; k += 6) {
                for (let a = 0; a < 3; ++a) {
                    const p = m[a] * v[k] + m[4 + a] * v[k + 1] + m[8 + a] * v[k + 2] + m[12 + a];
                    lo[a] = Math.min(lo[a], p);
                    hi[a] = Math.max(hi[a], p);
                }
            }
            geometry.delete();
        }
        if (triangles > 0)
            shaped.add(mesh.expressID);
    });
    const shapeless = [...elements].filter(e => !shaped.has(e));
    if (shapeless.length)
        faults.push(`${shapeless.length} elements without a body, #${shapeless[0]} first`);
    const off = [...lo, ...hi].map((v, i) => Math.abs(v - bounds[i]));
    if (Math.max(...off) > 0.002)
        faults.push(`bounds [${[...lo, ...hi].map(v => v.toFixed(3))}], not [${bounds.map(v => v.toFixed(3))}]`);
    api.CloseModel(id);

    console.log(`${file}: ${elements.size} elements, ${lines.size()} lines: ${faults.length ? 'FAILED' : 'passed'}`);
    for (const f of faults.slice(0, 10))
        console.log(`  ${f}`);
    if (faults.length)
        failed++;
}
console.log(`${manifest.length - failed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
