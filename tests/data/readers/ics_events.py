# Prints the events of an iCalendar file as the icalendar package reads
# them, one a line: "uid|start|end|summary|description". Timed events are
# given in UTC twice: as the reader resolves their TZID, and through the
# VTIMEZONE the file carries ("start/end" and "zone:start/end").
import datetime
import sys

import icalendar


def utc(x):
    return x.astimezone(datetime.timezone.utc).strftime("%Y-%m-%dT%H:%MZ")


def through(zone, x):
    return utc(zone.localize(x.replace(tzinfo=None)))


cal = icalendar.Calendar.from_ical(open(sys.argv[1], "rb").read())
zones = cal.walk("VTIMEZONE")
print("zones|" + "|".join(str(z["TZID"]) for z in zones))
zone = zones[0].to_tz()
for e in cal.walk("VEVENT"):
    start, end = e.decoded("DTSTART"), e.decoded("DTEND")
    if isinstance(start, datetime.datetime):
        times = [utc(start), utc(end), "zone:" + through(zone, start) + "/" + through(zone, end)]
    else:
        times = [start.isoformat(), end.isoformat(), "day"]
    print("|".join([str(e["UID"])] + times + [str(e["SUMMARY"]), str(e.get("DESCRIPTION", ""))]))
