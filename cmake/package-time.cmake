# Read by CPack as it packs: archive entries take this time instead of the
# files' own (1980-01-01, the zip format's first day).
set(ENV{SOURCE_DATE_EPOCH} 315532800)
