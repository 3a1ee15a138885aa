"""The Options dialog opened and closed 100 times in the real window under Wine: the
program's GDI object count stays where the first opening left it.

    python3 test_options_gdi.py <path-to-varno-4.exe> <output-dir>

The count comes from the probe: GetGuiResources, or under Wine, which does not
implement it, the live entries of the program's GDI handle table.
"""
import sys

import harness
from test_options import CANCEL, Options


def gdi_count(session):
    code, lines = session.probe("gdi")
    return int(lines[0].split()[1]) if code == 0 and lines else None


def gdi_objects(session, results):
    o = Options(session)
    program = session.start(session.new_workdir("gdi"))
    session.wait_window()
    o.close(o.open(), CANCEL)
    first = gdi_count(session)
    for _ in range(99):
        o.close(o.open(), CANCEL)
    last = gdi_count(session)
    print(f"GDI objects after the first opening: {first}, after the 100th: {last} "
          f"({session.probe('gdi')[1]})")
    results.check("100 openings leave the GDI object count where the first left it",
                  first is not None and first == last, f"{first} -> {last}")
    harness.check_closes(session, results, program, "closes with exit code 0 after 100 openings")


def main():
    session, results = harness.script(__doc__)
    with session:
        results.run("GDI objects", gdi_objects, session, results)
    return results.finish()


if __name__ == "__main__":
    sys.exit(main())
