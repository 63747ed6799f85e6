#!/bin/bash
# Records what velscan prints over the corpus and the samples, at every effort and in every
# output format, and in the error cases of its tests, so that two builds can be compared byte
# for byte:
#
#   bash scripts/compare-velscan.sh record VELSCAN DIR [FAKE_ZBAR]   # DIR is created anew
#   bash scripts/compare-velscan.sh compare VELSCAN BASELINE_DIR [FAKE_ZBAR]
#
# Each case leaves NAME.out (standard output), NAME.err (standard error) and NAME.status; the
# annotated pictures leave their checksums. Paths are relative to a scratch folder (corpus/,
# samples/, pictures/), so that records made from different checkouts compare equal. FAKE_ZBAR,
# the test build's fake ZBar library (tests/fakezbar), adds the cases of a crashing worker.
set -euo pipefail

usage() {
    echo "usage: $0 record|compare VELSCAN DIR [FAKE_ZBAR]" >&2
    exit 2
}
[[ $# -ge 3 ]] || usage
mode=$1
velscan=$(realpath "$2")
dir=$3
fake=${4:+$(realpath "$4")}
repo=$(cd "$(dirname "$0")/.." && pwd)
corpus=${VEL_CORPUS:-$repo/../shared/corpus}

case $mode in
record) out=$(realpath -m "$dir") ;;
compare) out=$(mktemp -d) ;;
*) usage ;;
esac
rm -rf "$out"
mkdir -p "$out"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"; [[ $mode == compare ]] && rm -rf "$out"' EXIT
cd "$scratch"
ln -s "$(realpath "$corpus")" corpus
ln -s "$repo/examples/samples" samples
ln -s "$repo/tests/apps/velscan/pictures" pictures
[[ -n $fake ]] && ln -s "$fake" fake.so

# run NAME [ARG...]: velscan with standard input from the file $input (empty by default).
input=/dev/null
run() {
    local name=$1
    shift
    local status=0
    "$velscan" "$@" <"$input" >"$out/$name.out" 2>"$out/$name.err" || status=$?
    echo "$status" >"$out/$name.status"
}

# The annotated pictures of a run, by checksum and name.
checksums() {
    (cd "$1" && find . -type f -print0 | sort -z | xargs -0 -r md5sum) >"$out/$2.files"
}

formats=(text:"" raw:"--format=raw" json:"--format=json" xml:"--format=xml"
    zbarxml:"--xml" path:"-p" jsonall:"--format=json --all-points"
    xmlall:"--format=xml --all-points" oneshot:"-1")
for effort in fast normal thorough; do
    for set in corpus samples; do
        for entry in "${formats[@]}"; do
            # shellcheck disable=SC2086 # the format's options split on purpose
            run "$set-$effort-${entry%%:*}" -r -q -e "$effort" ${entry#*:} "$set"
        done
        rm -rf marked
        run "$set-$effort-annotate" -r -q -e "$effort" --format=json --annotate marked "$set"
        checksums marked "$set-$effort-annotate"
    done
done
run samples-noisolation -q --no-isolation --format=json -r samples
run samples-j1 -q -j1 --format=json -r samples
run samples-j2 -q -j2 --format=json -r samples
run samples-rect -q --rect 0,0,476,0 --format=json samples/multi.png
run samples-formats -q --formats qrcode,ean13 -r samples
run samples-set -q -S qrcode.binary=1 --format=json pictures/qr-binary.png
run samples-verbose -q -v samples/code128.jpg
run samples-shard -q --shard 2/3 --format=json -r samples corpus
run pictures -q --format=json -r pictures
run pictures-text -q -r pictures
run pictures-xml -q --format=xml -r pictures
mkdir -p work
printf 'samples/ean13.png\nmissing.png\nsamples/upca.bmp\n' >work/list.txt
printf 'samples/ean13.png\0samples/upca.bmp\0' >work/list0.txt
input=work/list.txt run stdin-list -q --format=json -
input=work/list0.txt run stdin-null -q -0 -
input=samples/ean13.png run stdin-picture --stdin-picture --format=json
input=samples/ean13.png run stdin-picture-text --stdin-picture -p
run stdin-picture-empty --stdin-picture

# The error cases of the tests: usage errors, pictures that cannot be read, limits.
run missing missing.png
run missing-json --format=json missing.png samples/ean13.png
run blank pictures/blank.png
run huge pictures/huge.png
run huge-json --format=json pictures/huge.png
run truncated --format=json pictures/truncated.png
run corrupt-pdf pictures/corrupt-jpeg.pdf
run max-pixels --max-pixels 1000 samples/ean13.png
run max-file-pixels --format=json --max-file-pixels 1000 samples/databar.tif
run pages-none --pages 4- samples/ean13.png
run pages-json --format=json --pages 1 samples/databar.tif
run help --help
run version --version
run no-picture
run unknown-option --frobnicate samples/ean13.png
run needs-value samples/ean13.png --effort
run bad-format --format=yaml samples/ean13.png
run bad-effort --effort=slow samples/ean13.png
run bad-jobs -j 0 samples/ean13.png
run bad-rect --rect 1,2,3 samples/ean13.png
run bad-dpi --dpi 0 samples/ean13.png
run bad-pages --pages 3-1 samples/ean13.png
run bad-pages-zero --pages 0 samples/ean13.png
run bad-timeout --timeout x samples/ean13.png
run bad-budget --memory-budget 12Q samples/ean13.png
run bad-max-pixels --max-pixels -1 samples/ean13.png
run bad-verbose --verbose=x samples/ean13.png
run bad-shard --shard 4/3 samples/ean13.png
run bad-shard-text --shard x samples/ean13.png
run bad-annotate --annotate= samples/ean13.png
run bad-formats --formats ean13,qr-kode samples/ean13.png
run no-formats --formats=-ean13,ean13 samples/ean13.png
run display -d samples/ean13.png
run stdin-twice --stdin-picture -
run resume-not-json --resume r.jsonl samples/ean13.png
run expect-alone --expect e.txt samples/ean13.png
run merge-shard --merge m.jsonl --shard 1/2 a.jsonl
run merge-nothing --merge m.jsonl
run annotate-blocked --annotate samples/ean13.png samples/upca.bmp
run folder-empty-run -q pictures/none

# A resumed run: the first picture's entry is kept, the rest scanned and appended.
"$velscan" -q --format=json samples/ean13.png >work/resume.jsonl
run resume -q --format=json --resume work/resume.jsonl samples/ean13.png samples/upca.bmp
cp work/resume.jsonl "$out/resume.jsonl"
# A merge of two shards, checked against the list of the expected paths.
"$velscan" -q --format=json --shard 1/2 -r samples >work/a.jsonl || true
"$velscan" -q --format=json --shard 2/2 -r samples >work/b.jsonl || true
find samples -type f | sort >work/expect.txt
echo samples/not-scanned.png >>work/expect.txt
run merge --merge work/merged.jsonl work/a.jsonl work/b.jsonl
cp work/merged.jsonl "$out/merged.jsonl"
run merge-expect --merge work/merged2.jsonl work/a.jsonl work/b.jsonl --expect work/expect.txt
run merge-half --merge work/merged3.jsonl work/a.jsonl

# Many-page files, whose pages the workers share: a TIFF of the samples' pictures, and the
# benchmark's document of drawn bars, five A4 pages. --max-file-pixels stops each on page 3.
convert samples/ean13.png samples/code128.jpg samples/multi.png samples/upca.bmp \
    samples/databar.tif work/doc.tif
PDF_PAGES=5 python3 -c "import sys; sys.path.insert(0, '$repo/bench'); import pdf_pages
sys.stdout.buffer.write(pdf_pages.drawn_document())" >work/doc.pdf
declare -A filePixels=([tif]=500000 [pdf]=20000000)
for doc in tif pdf; do
    run "doc-$doc" -q --format=json work/doc.$doc samples/ean13.png work/doc.$doc
    run "doc-$doc-j1" -q -j1 -r work/doc.$doc
    run "doc-$doc-j2" -q -j2 --format=xml work/doc.$doc
    run "doc-$doc-pages" -q -j2 --pages 2-3,5 --format=json work/doc.$doc
    run "doc-$doc-pages-late" -q -j2 --pages 3- work/doc.$doc
    run "doc-$doc-file-pixels" -q -j2 --format=json --max-file-pixels "${filePixels[$doc]}" work/doc.$doc
    run "doc-$doc-noisolation" -q -j2 --no-isolation --format=json work/doc.$doc
done

if [[ -n $fake ]]; then
    FAKEZBAR_CRASH_WIDTH=1496 run fake-crash-doc -q -j2 --library fake.so --format=json work/doc.tif
    FAKEZBAR_HANG_WIDTH=698 run fake-hang-doc -q -j2 --library fake.so --timeout 1 work/doc.tif
    # code128.jpg is 1496 pixels wide: the fake crashes on it, and hangs on multi.png (698).
    export FAKEZBAR_CRASH_WIDTH=1496
    run fake-crash -q --library fake.so --format=json -r samples
    run fake-crash-text -q --library fake.so -j1 -r samples
    FAKEZBAR_HANG_WIDTH=698 run fake-hang -q --library fake.so --timeout 1 -r samples
    FAKEZBAR_ABORT_WIDTH=596 run fake-abort -q --library fake.so --format=xml -r samples
    unset FAKEZBAR_CRASH_WIDTH
fi

if [[ $mode == compare ]]; then
    if diff -r "$dir" "$out"; then
        echo "velscan's output is the same, byte for byte ($(find "$out" -type f | wc -l) files)"
    else
        echo "velscan's output differs from $dir" >&2
        exit 1
    fi
fi
