"""The corpus of real barcode pictures used by the benchmarks: its sets, pictures and the
expected texts (<set>/<name>.txt beside <set>/<name>.<ext>)."""

import os

PICTURE_EXTENSIONS = (".png", ".jpg", ".jpeg", ".webp", ".gif", ".tif", ".tiff", ".bmp")


def sets(corpus):
    """The sample sets of the corpus, sorted by name."""
    return sorted(d for d in os.listdir(corpus) if os.path.isdir(os.path.join(corpus, d)))


def pictures(corpus, set_name):
    """The set's picture files, sorted by name."""
    folder = os.path.join(corpus, set_name)
    return [os.path.join(folder, f) for f in sorted(os.listdir(folder))
            if f.lower().endswith(PICTURE_EXTENSIONS)]


def all_pictures(corpus):
    return [p for s in sets(corpus) for p in pictures(corpus, s)]


def expected_text(picture):
    """The bytes the picture's barcode encodes, or None when the corpus gives none."""
    path = os.path.splitext(picture)[0] + ".txt"
    if not os.path.exists(path):
        return None
    with open(path, "rb") as f:
        return f.read()


def is_false_positive_set(set_name):
    return set_name.startswith("falsepositives")
