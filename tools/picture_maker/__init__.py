# The parts of tools/make_pictures.py, one job each.
