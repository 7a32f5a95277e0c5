#!/usr/bin/env bash
# Installs what the HTML-to-PDF comparison (bench/export_compare.sh) needs besides Wendrel:
# the two peers, the HTML manual it converts, poppler's pdfinfo and GNU time. Only the
# benchmark uses them; building and testing Wendrel never do.
set -euo pipefail
packages=(wkhtmltopdf weasyprint git-doc poppler-utils time)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}"
