#!/usr/bin/env python3
"""A small mutation run: what the suites catch. Each mutant changes one line of the product code
in core/, scenery_file/, scenery_config/, app/ or cli/ (an operator flipped, a constant off by
one, a condition negated, a statement deleted), is built, and the GoogleTest suites run against
it; a mutant is killed when some test fails (or the run crashes or hangs). Writes, per mutant, the
tests that killed it, and prints the kill rate.

Usage: [MUTATE_ONLY=RESULTS.tsv] mutate.py SOURCE_DIR BUILD_DIR OUT.tsv [COUNT] [SEED]
SOURCE_DIR is a checkout the run may change (it puts every line back); BUILD_DIR a build of it
(scripts/mutate.sh makes both)."""
import json, os, random, re, signal, subprocess, sys, tempfile, time

src, build, out = sys.argv[1:4]
count = int(sys.argv[4]) if len(sys.argv) > 4 else 200
seed = int(sys.argv[5]) if len(sys.argv) > 5 else 20261207
FOLDERS = ['core', 'scenery_file', 'scenery_config', 'app', 'cli']
SUITES = ['core/core_test', 'scenery_file/scenery_file_test', 'scenery_config/scenery_config_test',
          'app/app_test', 'cli/cli_test', 'ui/ui_test', 'tests/reliability/reliability_test']
# The whole-world import takes seconds and catches nothing the Belgian rows do not.
FILTER = '-NavaidImport.WholeSharedFile'

OPERATORS = [  # (name, pattern, replacement): applied to the first match on the line
    ('eq', r' == ', ' != '), ('ne', r' != ', ' == '),
    ('lt', r' < ', ' <= '), ('le', r' <= ', ' < '), ('gt', r' > ', ' >= '), ('ge', r' >= ', ' > '),
    ('and', r' && ', ' || '), ('or', r' \|\| ', ' && '),
    ('plus', r' \+ ', ' - '), ('minus', r' - ', ' + '),
    ('true', r'return true;', 'return false;'), ('false', r'return false;', 'return true;'),
    ('const', r'(?<![\w.])(\d+)(?![\w.])', None),  # a whole number off by one
    ('not', r'\bif \((.*)\) ?\{?$', None),        # a condition negated
    ('delete', r'^\s*[\w:.\->\[\]()*]+(\(.*\)|\s*[+\-*/|&]?=\s*.*|\+\+|--);$', None),
]


def product_files():
    for folder in FOLDERS:
        for name in sorted(os.listdir(os.path.join(src, folder))):
            if name.endswith('.cpp') and not name.endswith('_test.cpp') and name != 'main.cpp':
                yield os.path.join(folder, name)


def candidates():
    for path in product_files():
        lines = open(os.path.join(src, path), encoding='latin-1').read().split('\n')
        for i, line in enumerate(lines):
            code = line.split('//')[0]
            stripped = code.strip()
            if (not stripped or stripped.startswith(('#', '*', 'case ', 'static_assert')) or
                    '"' in code or "'" in code or 'constexpr' in code or 'template' in code):
                continue
            for name, pattern, repl in OPERATORS:
                m = re.search(pattern, code)
                if not m:
                    continue
                if name == 'const':
                    mutated = code[:m.start()] + str(int(m.group(1)) + 1) + code[m.end():]
                elif name == 'not':
                    mutated = code[:m.start(1)] + '!(' + m.group(1) + ')' + code[m.end(1):]
                elif name == 'delete':
                    if re.match(r'^\s*(return|break|continue|else|for|while|if|auto|const|'
                                r'std::|int |bool |char |double |Status |size_t)', code):
                        continue
                    mutated = re.sub(r'\S.*$', ';', code)
                else:
                    mutated = code[:m.start()] + repl + code[m.end():]
                yield path, i, name, line, mutated + line[len(code):]


def run(cmd, timeout):
    # Its own process group, so that a hang also ends the processes a suite started (the
    # reliability tests fork), which would otherwise go on taking the cores from later mutants.
    child = subprocess.Popen(cmd, cwd=build, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                             start_new_session=True)
    try:
        return child.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        os.killpg(child.pid, signal.SIGKILL)
        child.wait()
        return 'timeout'


def failing_tests(report):
    try:
        data = json.load(open(report))
    except (OSError, ValueError):
        return None
    return [s['name'] + '.' + t['name'] for s in data.get('testsuites', [])
            for t in s.get('testsuite', []) if t.get('failures')]


all_candidates = list(candidates())
random.Random(seed).shuffle(all_candidates)
chosen = sorted(all_candidates[:count], key=lambda c: (c[0], c[1]))
# MUTATE_ONLY=RESULTS.tsv re-runs only the mutants that run killed (same COUNT and SEED, same
# product code): after tests were cut, each must still be killed for the kill rate to hold.
if os.environ.get('MUTATE_ONLY'):
    rows = [l.rstrip('\n').split('\t') for l in open(os.environ['MUTATE_ONLY'])][1:]
    before = {(r[0], int(r[1]), r[2]) for r in rows if r[3] == 'killed'}
    chosen = [c for c in chosen if (c[0], c[1] + 1, c[2]) in before]
targets = [os.path.basename(s) for s in SUITES] + ['orlith-cli']
with open(out, 'w') as tsv:
    tsv.write('file\tline\toperator\toutcome\tkilled_by\n')
    killed = viable = 0
    start = time.time()
    for n, (path, i, name, original, mutated) in enumerate(chosen, 1):
        full = os.path.join(src, path)
        text = open(full, encoding='latin-1').read().split('\n')
        assert text[i] == original
        text[i] = mutated
        open(full, 'w', encoding='latin-1').write('\n'.join(text))
        try:
            if run(['ninja'] + targets, 600) != 0:
                outcome, by = 'stillborn', []
            else:
                viable += 1
                by = []
                for suite in SUITES:
                    report = tempfile.mktemp(suffix='.json')
                    rc = run([os.path.join(build, suite), '--gtest_filter=' + FILTER,
                              '--gtest_output=json:' + report], 40)
                    failed = failing_tests(report)
                    if rc != 0 and not failed:
                        failed = [os.path.basename(suite) + ':' + str(rc)]  # a crash or hang
                    by += failed or []
                    if os.path.exists(report):
                        os.remove(report)
                outcome = 'killed' if by else 'survived'
                killed += bool(by)
        finally:
            text[i] = original
            open(full, 'w', encoding='latin-1').write('\n'.join(text))
        tsv.write('%s\t%d\t%s\t%s\t%s\n' % (path, i + 1, name, outcome, ' '.join(by)))
        tsv.flush()
        print('%d/%d %s:%d %s %s (%.0f s)' % (n, len(chosen), path, i + 1, name, outcome,
                                             time.time() - start), flush=True)
    run(['ninja'] + targets, 600)  # the build of the unchanged code again
print('mutants: %d, viable: %d, killed: %d, kill rate: %.1f%%' %
      (len(chosen), viable, killed, 100.0 * killed / max(viable, 1)))
