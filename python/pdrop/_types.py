"""Type names the package's signatures share."""

import os
from typing import Any, Dict, List, Tuple, Union

# A case in the case-file format, as a dict or the path of a case file.
Case = Union[Dict[str, Any], str, "os.PathLike[str]"]
# A path to read or write.
Path = Union[str, "os.PathLike[str]"]
# What the plots return: the matplotlib figure and the files written.
Drawn = Tuple[Any, List[str]]
