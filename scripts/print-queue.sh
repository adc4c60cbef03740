# Sourced by the tests that print: a real print queue, Debian's CUPS with its PDF printer.
#   start_print_queue FOLDER   starts cupsd (unless one runs) with a queue "PDF" that writes
#                              every job as a PDF file into FOLDER; returns 1, and says why, when
#                              this machine cannot (cupsd needs root). Wine programs see the
#                              printer only when they start after this.
#   stop_print_queue           removes the queue and stops what start_print_queue started, and
#                              puts back the PDF printer's configuration.
print_queue_conf=/etc/cups/cups-pdf.conf

start_print_queue() {
    local out="$1"
    print_queue_cupsd="" print_queue_conf_saved="" print_queue_added=""
    if [ "$(id -u)" -ne 0 ]; then
        echo "cannot start a print queue: cupsd and its PDF printer need root"
        return 1
    fi
    if ! command -v cupsd >/dev/null || [ ! -f "$print_queue_conf" ]; then
        echo "cannot start a print queue: cups or printer-driver-cups-pdf is not installed"
        return 1
    fi
    mkdir -p "$out" && chmod 0777 "$out"
    # The PDF printer reads its configuration for every job: its files go to the test's folder.
    print_queue_conf_saved="$out/.cups-pdf.conf"
    cp "$print_queue_conf" "$print_queue_conf_saved"
    sed -i "s|^#\?Out .*|Out $out|; s|^#\?AnonDirName .*|AnonDirName $out|" "$print_queue_conf"
    if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
        cupsd -f >/dev/null 2>&1 &
        print_queue_cupsd=$!
        for _ in $(seq 1 100); do
            lpstat -r 2>/dev/null | grep -q 'is running' && break
            sleep 0.1
        done
    fi
    if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
        echo "cannot start a print queue: cupsd did not start"
        stop_print_queue
        return 1
    fi
    if ! lpstat -p PDF >/dev/null 2>&1; then
        lpadmin -p PDF -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -E || {
            stop_print_queue
            return 1
        }
        print_queue_added=1
    fi
    lpadmin -d PDF && cupsenable PDF && cupsaccept PDF
}

stop_print_queue() {
    [ -n "${print_queue_added:-}" ] && lpadmin -x PDF 2>/dev/null
    if [ -n "${print_queue_cupsd:-}" ]; then
        kill "$print_queue_cupsd" 2>/dev/null
        wait "$print_queue_cupsd" 2>/dev/null
    fi
    [ -n "${print_queue_conf_saved:-}" ] && [ -f "$print_queue_conf_saved" ] &&
        cp "$print_queue_conf_saved" "$print_queue_conf" && rm -f "$print_queue_conf_saved"
    print_queue_cupsd="" print_queue_conf_saved="" print_queue_added=""
}
