// placeholder: replaced by the area's first file
