# Windows tests that cannot pass on Wine, by full test name, each with the reason and the
# Wine behaviour observed. CTest reports them as disabled ("Not Run"), never silently.
# set(QUOR_WINE_GAP_wine.<program>.<Suite>.<Case> "reason: what Wine does")
