#!/usr/bin/env python3
"""Reads a mutation run's results (mutate.py) and prints the kill rate, the mutants that survived,
and for each test the mutants it alone kills: a test that alone kills none adds nothing the
others do not catch (on these mutants). Usage: mutate_report.py RESULTS.tsv"""
import collections, sys

rows = [line.rstrip('\n').split('\t') for line in open(sys.argv[1])][1:]
viable = [r for r in rows if r[3] != 'stillborn']
killed = [r for r in viable if r[3] == 'killed']
print('mutants: %d, viable: %d, killed: %d, kill rate: %.1f%%' %
      (len(rows), len(viable), len(killed), 100.0 * len(killed) / max(len(viable), 1)))
for r in viable:
    if r[3] == 'survived':
        print('survived: %s:%s %s' % (r[0], r[1], r[2]))
def test_of(name):
    # A parameterised case counts as its TEST: "EveryCell/FaultMatrix.Cell/Create_Read" is
    # "FaultMatrix.Cell".
    suite, _, test = name.partition('.')
    return suite.split('/')[-1] + '.' + test.split('/')[0]


by_test = collections.defaultdict(set)
alone = collections.Counter()
for n, r in enumerate(killed):
    tests = {test_of(t) for t in r[4].split()}
    for test in tests:
        by_test[test].add(n)
    if len(tests) == 1:
        alone[tests.pop()] += 1
for test in sorted(by_test):
    print('%-70s kills %3d, alone %3d' % (test, len(by_test[test]), alone[test]))
