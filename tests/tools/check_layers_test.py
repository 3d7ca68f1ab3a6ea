#!/usr/bin/env python3
"""The layering check refuses a back edge and names the file, the line and the rule."""
import pathlib
import shutil
import subprocess
import sys
import tempfile

repo = pathlib.Path(sys.argv[1])
script = repo / "tools" / "check_layers.py"


def run(tree):
    return subprocess.run([sys.executable, str(script), str(tree)], capture_output=True, text=True)


with tempfile.TemporaryDirectory() as tmp:
    tree = pathlib.Path(tmp)
    (tree / "tools").mkdir()
    shutil.copy(repo / "tools" / "layers.txt", tree / "tools" / "layers.txt")
    for rel, text in {
        "sdk/services/Store.hpp": '#include "sdk/base/Logger.hpp"\n',
        "sdk/base/Logger.hpp": '#include "platform/foundation/URL.hpp"\n#include <string>\n',
        "platform/foundation/URL.hpp": "",
    }.items():
        (tree / rel).parent.mkdir(parents=True, exist_ok=True)
        (tree / rel).write_text(text)
    clean = run(tree)
    assert clean.returncode == 0, clean.stdout

    # A base file reaching up into the services, and the platform reaching into the SDK.
    (tree / "sdk/base/Logger.hpp").write_text('#include <string>\n#include "sdk/services/Store.hpp"\n')
    (tree / "platform/foundation/URL.hpp").write_text('#include "sdk/base/Logger.hpp"\n')
    broken = run(tree)
    assert broken.returncode == 1, broken.stdout
    assert "sdk/base/Logger.hpp:2: includes sdk/services/Store.hpp, but sdk/base may include only:" in broken.stdout, broken.stdout
    assert "platform/foundation/URL.hpp:1: includes sdk/base/Logger.hpp" in broken.stdout, broken.stdout
print("ok")
