#!/usr/bin/env python3
"""Lists the tests that ctest skipped, each with its reason, from the JUnit file that
`ctest --output-junit FILE` writes: ctest's own summary names them only.

A GoogleTest skip gives its reason on the lines after "...: Skipped"; a script that exits with
its test's skip code gives it on a line starting "SKIP: ".
"""
import sys
import xml.etree.ElementTree as ElementTree


def reason(output):
    lines = output.splitlines()
    for at, line in enumerate(lines):
        if line.endswith(": Skipped"):
            words = []
            for following in lines[at + 1:]:
                if following.startswith("[  SKIPPED ]"):
                    break
                words.append(following.strip())
            text = " ".join(word for word in words if word)
            if text:
                return text
        if line.startswith("SKIP: "):
            return line[len("SKIP: "):].strip()
    return "no reason given"


def main(junit):
    skipped = [case for case in ElementTree.parse(junit).iter("testcase")
               if case.find("skipped") is not None]
    if not skipped:
        return
    print(f"{len(skipped)} tests skipped:")
    for case in skipped:
        print(f"  {case.get('name')}: {reason(case.findtext('system-out') or '')}")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: skip-reasons.py CTEST-JUNIT-FILE")
    main(sys.argv[1])
