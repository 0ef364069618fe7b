#!/usr/bin/env python3
"""Keeps the Group Policy templates and the program's key table together:
    CheckPolicyTemplates.py POLICIES_ZIP SOURCE_DIR
Both templates are well-formed; the settings open to policy (Policy::Yes in
src/settings/SettingsKeys.*) are exactly the values the policies write, under
the policy key, for machine and user; every string and presentation the ADMX
names is in the ADML, and each presentation shows its policy's boxes."""
import re
import sys
import zipfile
import xml.etree.ElementTree as ElementTree

NS = {"p": "http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions"}
POLICY_KEY = "Software\\Policies\\Marrowby\\Quellor"


def policy_settings(source):
    names = set()
    for path in ("src/settings/SettingsKeys.h", "src/settings/SettingsKeys.cpp"):
        with open(f"{source}/{path}", encoding="utf-8") as file:
            names.update(re.findall(r'\{"(\w+)",[^{}]*Policy::Yes', file.read()))
    return names


def main(zip_path, source):
    failures = []
    with zipfile.ZipFile(zip_path) as templates:
        try:
            admx = ElementTree.fromstring(templates.read("Quellor.admx"))
            adml = ElementTree.fromstring(templates.read("en-US/Quellor.adml"))
        except (KeyError, ElementTree.ParseError) as error:
            print(f"CheckPolicyTemplates: {zip_path}: {error}")
            return 1

    strings = {s.get("id") for s in adml.iterfind(".//p:stringTable/p:string", NS)}
    presentations = {p.get("id"): p for p in adml.iterfind(".//p:presentationTable/p:presentation", NS)}
    for element in admx.iter():
        for value in element.attrib.values():
            for kind, name in re.findall(r"\$\((string|presentation)\.(\w+)\)", value):
                if name not in (strings if kind == "string" else presentations):
                    failures.append(f"Quellor.admx names {kind} {name}, which en-US/Quellor.adml lacks")

    written = set()
    for policy in admx.iterfind(".//p:policies/p:policy", NS):
        name = policy.get("name")
        if policy.get("key") != POLICY_KEY or policy.get("class") != "Both":
            failures.append(f"policy {name} is not under {POLICY_KEY} for machine and user")
        if policy.get("valueName"):
            written.add(policy.get("valueName"))
        boxes = {e.get("id") for e in policy.iterfind("p:elements/*", NS)}
        written.update(e.get("valueName") for e in policy.iterfind("p:elements/*", NS))
        reference = re.fullmatch(r"\$\(presentation\.(\w+)\)", policy.get("presentation", ""))
        shown = presentations.get(reference.group(1)) if reference else None
        shown_boxes = {e.get("refId") for e in shown} if shown is not None else set()
        if shown_boxes != boxes:
            failures.append(f"policy {name} has the boxes {sorted(boxes)}, its presentation {sorted(shown_boxes)}")

    settings = policy_settings(source)
    for missing in sorted(settings - written):
        failures.append(f"the program reads {missing} under policy, but no policy sets it")
    for stray in sorted(written - settings):
        failures.append(f"a policy sets {stray}, which the program does not read under policy")

    for failure in failures:
        print(f"CheckPolicyTemplates: {failure}")
    if not failures:
        print(f"CheckPolicyTemplates: {len(written)} settings, each with its policy, and the templates agree")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
